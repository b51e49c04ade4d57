#pragma once
#include "orders/DishCache.h"
#include "orders/OrderDraft.h"
#include "orders/OrderGrid.h"
#include "orders/TableCache.h"
#include "storage/AutomaticBackups.h"
#include "storage/DateTime.h"
#include "storage/SettingsStore.h"
#include "ui/common/HelpDocuments.h"
#include "ui/order/MainWindowForm.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>

class Clock;
class Database;
class DishResultModel;
class PreviewWindow;
class QComboBox;
class QTimer;
class QLineEdit;

// The order-taking window. Handlers read the controls, let the order classes
// decide, and write the result back. Windows opened from the toolbar and the
// menus each have their own member function (see MainWindow*.cpp by area);
// one whose window does not exist yet does nothing.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(Database& db, Clock& clock, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up once the database is open: tables, remembered defaults, order
    // number and counters, grid, dishes.
    void startUp();

    Database& database() { return m_db; }
    SettingsStore& settings() { return m_settings; }
    const Clock& clock() const { return m_clock; }
    const MainWindowForm& form() const { return m_form; }
    const DishCache& dishes() const { return m_dishes; }
    const TableCache& tables() const { return m_tables; }

    // The order on screen, every field as the text of its control.
    OrderDraft orderDraft() const;
    // Writes every field without running the change handlers (no customer
    // lookup, no recomputation, no table selection).
    void loadOrderDraft(const OrderDraft& draft);
    OrderGrid orderGrid() const;
    bool orderHasContent() const;
    // A fresh order: next number, empty lines, delivery, totals and remark;
    // new-order mode; focus in the dish code box.
    void clearOrder();
    // Edit mode is shown by the settle button reading "修改(F12)".
    bool isEditingStoredOrder() const;
    void setEditingStoredOrder(bool editing);

    void reloadTables();
    void reloadDishes();
    // Next order number into the number box and today's counters into the status bar.
    void refreshNumbering();
    int timeFormat() const { return m_timeFormat; }
    void setTimeFormat(int choice) { m_timeFormat = choice; }

    // The one-second clock: link colours, date change, order time.
    void tick();

    // Order entry.
    void searchDishes();
    void chooseSelectedDish();
    void deleteCurrentLine();
    void confirmClearOrder();
    void saveCustomer();
    void chooseTimeFormat();

    // Settlement, printing and the receipt preview (MainWindowReceipt.cpp).
    void settleOrder();       // F12, "打单结算(F12)" / "修改(F12)"
    void printOnly();         // F11, "打单(F11)"
    void togglePreview();     // "预览"
    void refreshPreview();    // after every change the receipt shows
    void openPrintSettings(); // "打印设置"

    void generateDemoData(); // "生成销售随机数据" (MainWindowDemoData.cpp)

    // Automatic backups (MainWindowBackup.cpp): at the first start of a day,
    // stepped between the window's events, and once more on closing.
    void startAutomaticBackup();
    void stepAutomaticBackup();
    void backUpOnClosing();
    // "设置菜单": a copy to a file the owner names, and putting a copy back.
    void backUpByHand();  // "备份数据…"
    void chooseRestore(); // "恢复数据…"
    // Checks the file, shows what it holds, asks, keeps the current database
    // in the backup folder and carries on with the restored one; false when
    // nothing changed.
    bool restoreFrom(const QString& path);

    // Toolbar windows, by position (MainWindowHistory.cpp, MainWindowReports.cpp,
    // MainWindowCatalogue.cpp).
    void openOrderHistory();    // 0 "历史订单"
    void openIncomeReport();    // 1 "收入报表"
    void openSalesStatistics(); // 2 "销售统计"
    void openCustomers();       // 4 "客户设置"
    void openChangeLog();       // "设置菜单" "操作记录"
    void openManagerPassword(); // "设置菜单" "管理密码…"

    // A stored order taken from the history into this window ("修改(F12)");
    // false when the cashier keeps the order on screen. owner asks.
    bool editStoredOrder(QWidget* owner, const QString& idText, const QString& dateText);
    void saveEditedOrder();   // F12 while a stored order is edited
    void openDishCatalogue(); // 5 "菜单设置"
    void openTableList();     // 6 "桌号设置"
    void dropSettingsMenu();  // 8
    void dropHelpMenu();      // 9

    // "设置菜单" lists (MainWindowCatalogue.cpp).
    void openHeaderList();   // "票头设置"
    void openShopList();     // "店名设置"
    void openDiscountList(); // "减免设置"

    // "帮助".
    void showTutorial();     // "使用教程", "查看使用教程"
    void showPrintingHelp(); // "无法打印", "无法打印怎么办？"
    void showAbout();        // "关于"

  signals:
    // Closing the main window ends the program, whatever other windows are open.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void connectControls();
    void connectOrderEntry();
    void connectCommands();
    void registerFunctionKeys();
    void restoreDefaults();
    void saveDefaults();
    void applyGrid(const OrderGrid& grid);
    void applyLineTotals(const OrderGrid& grid);
    void onGridCellEdited(int gridRow, int column);
    void onDiscountAmountChanged();
    void onTableCodeChanged();
    void onTelephoneChanged();
    void moveResultSelection(int step);
    void showHelpDocument(HelpDocuments::Document document);
    void showGridMenu(const QPoint& globalPos);
    void followMainWindow(); // the receipt preview moves with this window
    void reloadAfterRestore();

    Database& m_db;
    Clock& m_clock;
    SettingsStore m_settings;
    MainWindowForm m_form;
    DishCache m_dishes;
    TableCache m_tables;
    DishResultModel* m_results = nullptr;
    QTimer* m_timer = nullptr;
    DateTime m_lastSeenDate;
    int m_timeFormat = 0;
    bool m_startedUp = false;

    // Receipt preview and settlement state.
    // Only `settling` a new order may open the cash drawer.
    bool printCurrentOrder(bool withCopies, bool settling = false,
                           const std::function<bool()>& startJob = {});
    // A receipt of the stored order on screen, with its change record; true when printed.
    bool printRecorded(bool withCopies);
    PreviewWindow* openPreview();
    QPointer<PreviewWindow> m_preview;

    AutomaticBackups m_backups;
    QTimer* m_backupTimer = nullptr;

    // Order history state.

    // Report windows state.

    // Catalogue and list windows state.
};
