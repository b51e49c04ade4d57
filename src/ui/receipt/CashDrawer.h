#pragma once
#include <QString>
#include <functional>

class Database;
class QAction;
class QWidget;
struct PrinterSettings;

// "打开钱箱": opens the cash drawer on demand, for change. The drawer hangs on
// the thermal printer's kick-out connector, so the system's print dialog has
// none. The manager password is asked when one is set, and the opening is in
// 操作记录 before the pulse goes out.
class CashDrawer {
  public:
    CashDrawer(Database& db, QWidget* window) : m_db(db), m_window(window) {}

    // True when the pulse went out.
    bool open();

    // Why the drawer cannot be opened from the program; empty when it can.
    static QString unavailable(const PrinterSettings& printer);
    // Keeps `action` disabled, with the reason as its tip, whenever its menu
    // opens while the drawer cannot be opened; returns what the action does.
    static std::function<void()> command(Database& db, QAction* action, QWidget* window);

    static constexpr const char* refused = "管理密码不正确，钱箱没有打开。";
    static constexpr const char* notRecorded = "无法写入操作记录，钱箱没有打开。";

  private:
    Database& m_db;
    QWidget* m_window;
};
