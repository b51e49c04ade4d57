#include "ui/order/ToolWindows.h"

#include "catalogue/NamedList.h"
#include "history/PagedList.h"
#include "storage/config/ProgramFolder.h"
#include "ui/catalogue/DishCatalogueWindow.h"
#include "ui/catalogue/NamedListWindow.h"
#include "ui/catalogue/StationListWindow.h"
#include "ui/catalogue/TableListWindow.h"
#include "ui/common/DatabaseSettingsDialog.h"
#include "ui/common/ManagerCheck.h"
#include "ui/history/ChangeLogWindow.h"
#include "ui/history/CustomerWindow.h"
#include "ui/history/ManagerPasswordDialog.h"
#include "ui/order/DemoDataAction.h"
#include "ui/reports/IncomeReportWindow.h"
#include "ui/reports/SalesReportWindow.h"

ToolWindows::ToolWindows(Database& db, Clock& clock, QWidget* window, Callbacks callbacks)
    : m_db(db), m_clock(clock), m_window(window), m_callbacks(std::move(callbacks)) {}

void ToolWindows::openOrderHistory() {
    HistoryWindow window(m_db, PagedList::orderHistory(), m_clock, m_window);
    window.setEditHandler(m_callbacks.editStoredOrder);
    window.setKitchenHandler(m_callbacks.reprintKitchen);
    window.exec();
}

void ToolWindows::openCustomers() {
    CustomerWindow window(m_db, PagedList::customerFile(), PagedList::orderHistory(), m_clock,
                          m_window);
    window.setEditHandler(m_callbacks.editStoredOrder);
    window.exec();
}

void ToolWindows::openIncomeReport() {
    IncomeReportWindow window(m_db, m_window);
    window.exec();
}

void ToolWindows::openSalesStatistics() {
    SalesReportWindow window(m_db, m_window);
    window.exec();
}

// After the dish catalogue or the table list closes, order entry reloads them.
void ToolWindows::openDishCatalogue() {
    DishCatalogueWindow(m_window, m_db).exec();
    m_callbacks.dishesChanged();
}

void ToolWindows::openTableList() {
    TableListWindow(m_window, m_db).exec();
    m_callbacks.tablesChanged();
}

void ToolWindows::openHeaderList() {
    NamedListWindow(m_window, m_db, NamedList::receiptHeaders()).exec();
}

void ToolWindows::openShopList() {
    NamedListWindow(m_window, m_db, NamedList::shopNames()).exec();
}

void ToolWindows::openDiscountList() {
    NamedListWindow(m_window, m_db, NamedList::discounts()).exec();
}

void ToolWindows::openStationList() {
    StationListWindow(m_window, m_db).exec();
}

void ToolWindows::generateDemoData(const DishCache& dishes, const TableCache& tables) {
    if (DemoDataAction::run(m_window, m_db, DemoDataGenerator::dishesOf(dishes),
                            DemoDataGenerator::tablesOf(tables), m_clock))
        m_callbacks.ordersGenerated();
}

void ToolWindows::removeDemoData() {
    if (DemoDataAction::remove(m_window, m_db))
        m_callbacks.ordersGenerated();
}

void ToolWindows::openChangeLog() {
    ChangeLogWindow(m_db, m_clock, m_window).exec();
}

void ToolWindows::openManagerPassword() {
    ManagerPasswordDialog(m_db, m_window).exec();
}

// Pointing the till at another database is the owner's decision.
void ToolWindows::openDatabaseSettings() {
    if (ManagerCheck::passes(m_window, m_db,
                             QStringLiteral("管理密码不正确，数据库设置没有打开。")))
        DatabaseSettingsDialog(IniFile(ProgramFolder::iniPath()), m_window).exec();
}
