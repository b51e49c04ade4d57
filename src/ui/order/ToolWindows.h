#pragma once
#include "ui/history/HistoryWindow.h"

#include <functional>

class Clock;
class Database;
class DishCache;
class QWidget;
class TableCache;

// The windows the order window's toolbar and settings menu open. What they
// change that the order window holds is told back through the callbacks.
class ToolWindows {
  public:
    struct Callbacks {
        HistoryWindow::EditHandler editStoredOrder; // "修改" in the history
        std::function<void()> dishesChanged;        // the dish catalogue closed
        std::function<void()> tablesChanged;        // the table list closed
        std::function<void()> ordersGenerated;      // demo data was stored
        HistoryWindow::KitchenHandler reprintKitchen; // "补打厨房单" in the history
    };

    ToolWindows(Database& db, Clock& clock, QWidget* window, Callbacks callbacks);

    void openOrderHistory();     // 0 "历史订单"
    void openIncomeReport();     // 1 "收入报表"
    void openSalesStatistics();  // 2 "销售统计"
    void openCustomers();        // 4 "客户设置"
    void openDishCatalogue();    // 5 "菜单设置"
    void openTableList();        // 6 "桌号设置"
    void openHeaderList();       // "票头设置"
    void openShopList();         // "店名设置"
    void openDiscountList();     // "减免设置"
    void openStationList();      // "出品部门设置"
    void openChangeLog();        // "操作记录"
    void openManagerPassword();  // "管理密码…"
    void openDatabaseSettings(); // "数据库设置…"
    // "生成销售随机数据" over the dishes and tables order entry holds.
    void generateDemoData(const DishCache& dishes, const TableCache& tables);
    void removeDemoData(); // "删除演示数据"

  private:
    Database& m_db;
    Clock& m_clock;
    QWidget* m_window;
    Callbacks m_callbacks;
};
