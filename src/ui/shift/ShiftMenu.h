#pragma once
#include <QObject>

class Clock;
class Database;
class QLabel;
class QMainWindow;
class QMenu;
class QStatusBar;
struct ShiftPeriod;
struct ShiftRecord;

// The "交班" menu of the order window: handover, day close, the current
// figures, the stored records and the cashier list; and the cashier at the
// till, asked at start and at handover where the shop keeps a list, shown
// in the status bar and written with every order and change record.
class ShiftMenu : public QObject {
    Q_OBJECT
  public:
    // The menu goes before `before` on the window's menu bar.
    ShiftMenu(Database& db, const Clock& clock, QMainWindow* window, QMenu* before,
              QStatusBar* statusBar);

    // Start-up: who is at the till, where the shop keeps a cashier list.
    void askCashier();

    void handover();     // "交班…"
    void dayClose();     // "日结…"
    void showCurrent();  // "当前班次统计"
    void openRecords();  // "交班记录"
    void editCashiers(); // "收银员设置"

    QMenu* menu() const { return m_menu; }

  private:
    // The period's figures as a record not yet stored; none when they could
    // not be read (the cashier was told).
    bool preview(const ShiftPeriod& period, ShiftRecord& record);
    // The figures of this till's shift so far; false after telling why not.
    bool previewThisShift(ShiftRecord& record, const std::string& unchanged);
    // Stores and prints what the dialog confirmed; false when nothing was stored.
    bool storeAndPrint(const ShiftRecord& confirmed, bool openDrawer);
    void showCashier();
    void warn(const std::string& text);

    Database& m_db;
    const Clock& m_clock;
    QMainWindow* m_window;
    QMenu* m_menu;
    QLabel* m_cashier;
};
