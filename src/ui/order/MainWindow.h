#pragma once
#include "held/HeldOrderDesk.h"
#include "orders/DishCache.h"
#include "orders/OrderDraft.h"
#include "orders/OrderGrid.h"
#include "orders/OrderSession.h"
#include "orders/TableCache.h"
#include "storage/config/SettingsStore.h"
#include "storage/values/DateTime.h"
#include "ui/order/BackgroundReceipts.h"
#include "ui/order/DataCopies.h"
#include "ui/order/KitchenPrinting.h"
#include "ui/order/MainWindowForm.h"
#include "ui/order/OrderReceipts.h"
#include "ui/order/ToolWindows.h"

#include <QMainWindow>
#include <optional>

class Clock;
class Database;
class DishResultModel;
class HelpLinks;
class QComboBox;
class QTimer;
class QLineEdit;
class QMenu;
class ShiftMenu;

// The order-taking window. Handlers read the controls, let the order classes
// decide, and write the result back. Printing and the receipt preview are
// OrderReceipts', the windows of the toolbar and the menus ToolWindows'.
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
    DataCopies& dataCopies() { return m_copies; }

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
    const OrderSession& session() const { return m_session; }

    void reloadTables();
    void reloadDishes();
    // Today's counters into the status bar and, for a new order, the next
    // number into the number box.
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
    void chooseRounding(PaymentRounding::Rule rule); // "设置菜单 → 抹零"

    void settleKey();   // F12 and the settle button, by the session's mode
    void settleOrder(); // F12 on a new order, "打单结算(F12)"
    void printOnly();   // F11, "打单(F11)"

    // A stored order taken from the history into this window ("修改(F12)");
    // false when the cashier keeps the order on screen. owner asks.
    bool editStoredOrder(QWidget* owner, const QString& idText, const QString& dateText);
    void saveEditedOrder(); // F12 while a stored order is edited, "修改(F12)"

    // F8, "挂单(F8)": parks the order on screen and starts a fresh one.
    void holdOrder();
    // F9, "取单(F9)": a held order back on screen, chosen from the list.
    void takeHeldOrder();
    // How many orders are held, in the status bar.
    void showHeldCount();
    // "估清…": dishes sold out today, the one selected in the search first.
    void openSoldOut();
    // Today's sold-out marks into the dish search.
    void reloadSoldOut();
    // "上次订单": the lines of the customer's last order at today's prices.
    void fillLastOrder();

    void openIncomeReport() { m_tools.openIncomeReport(); }
    void openSalesStatistics() { m_tools.openSalesStatistics(); }
    void showAbout(); // "关于"

  signals:
    // Closing the main window ends the program, whatever other windows are open.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void connectControls();
    void connectOrderEntry();
    void connectCommands();
    void registerFunctionKeys();
    void enterField(QWidget* field);
    void restoreDefaults();
    void saveDefaults();
    void applyLineTotals(const OrderGrid& grid);
    void onGridCellEdited(int gridRow, int column);
    void onDiscountAmountChanged();
    void onTableCodeChanged();
    void onTelephoneChanged();
    void showReadFailure(const QString& failure);
    void moveResultSelection(int step);
    void showGridMenu(const QPoint& globalPos);
    // The session takes the order as the controls show it; the preview follows.
    void syncSession();
    void orderChanged();
    // The session's order and mode into the controls.
    void showSession();
    // Today's counters into the status bar; the next number, none when
    // today's orders could not be read.
    std::optional<int> showCounters();
    // Asks about doubtful amounts; false when the cashier goes back.
    bool amountsAccepted();
    bool printStoredOrder();
    void tell(const QString& message);
    // Every window reads through the same Database, now on the restored file;
    // what this window keeps in memory is read again.
    void reloadAfterRestore();
    // Parks the order on screen; false (the cashier told) when it stays.
    bool parkOnScreen();

    Database& m_db;
    Clock& m_clock;
    SettingsStore m_settings;
    MainWindowForm m_form;
    DishCache m_dishes;
    TableCache m_tables;
    DishResultModel* m_results = nullptr;
    HelpLinks* m_helpLinks = nullptr;
    QTimer* m_timer = nullptr;
    DateTime m_lastSeenDate;
    int m_timeFormat = 0;
    PaymentRounding::Rule m_roundingRule = PaymentRounding::Rule::None;
    bool m_startedUp = false;
    OrderSession m_session;
    OrderReceipts m_receipts;
    ToolWindows m_tools;
    DataCopies m_copies;
    KitchenPrinting m_kitchen;
    BackgroundReceipts m_background;
    HeldOrderDesk m_held;
    int m_ticks = 0;
    ShiftMenu* m_shiftMenu = nullptr;
    QString m_searchWhenCleared; // the dish code box as the last clear left it
};
