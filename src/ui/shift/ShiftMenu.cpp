#include "ui/shift/ShiftMenu.h"

#include "shift/ShiftCalculator.h"
#include "shift/ShiftRecords.h"
#include "storage/engine/Database.h"
#include "storage/values/Clock.h"
#include "ui/common/ManagerCheck.h"
#include "ui/common/MessageBoxes.h"
#include "ui/shift/CashierDialog.h"
#include "ui/shift/CashierListWindow.h"
#include "ui/shift/ShiftDialog.h"
#include "ui/shift/ShiftPrinter.h"
#include "ui/shift/ShiftRecordsWindow.h"

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

ShiftMenu::ShiftMenu(Database& db, const Clock& clock, QMainWindow* window, QMenu* before,
                     QStatusBar* statusBar)
    : QObject(window), m_db(db), m_clock(clock), m_window(window),
      m_menu(new QMenu(QStringLiteral("交班"), window)), m_cashier(new QLabel(statusBar)) {
    m_menu->setObjectName(QStringLiteral("交班菜单"));
    m_menu->setAccessibleName(QStringLiteral("交班"));
    m_menu->setAccessibleDescription(QStringLiteral("交班菜单"));
    window->menuBar()->insertMenu(before->menuAction(), m_menu);
    m_menu->addAction(QStringLiteral("交班…"), this, &ShiftMenu::handover);
    m_menu->addAction(QStringLiteral("日结…"), this, &ShiftMenu::dayClose);
    m_menu->addAction(QStringLiteral("当前班次统计"), this, &ShiftMenu::showCurrent);
    m_menu->addAction(QStringLiteral("交班记录"), this, &ShiftMenu::openRecords);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("收银员设置"), this, &ShiftMenu::editCashiers);
    m_cashier->setAccessibleName(QStringLiteral("收银员"));
    statusBar->addWidget(m_cashier);
    showCashier();
}

void ShiftMenu::warn(const std::string& text) {
    MessageBoxes::instance().inform(m_window, qs(text), MessageBoxes::Icon::Warning);
}

void ShiftMenu::askCashier() {
    if (const std::optional<std::string> cashier = CashierDialog::ask(m_db, m_window)) {
        m_db.setCashierName(*cashier);
        showCashier();
    }
}

void ShiftMenu::showCashier() {
    const std::string& name = m_db.cashierName();
    m_cashier->setText(qs("收银员：" + name));
    m_cashier->setVisible(!name.empty());
}

bool ShiftMenu::preview(const ShiftPeriod& period, ShiftRecord& record) {
    const ReadResult<ShiftFigures> figures = ShiftCalculator(m_db).figures(period);
    if (!figures) {
        warn(figures.message("读取本班的订单和操作记录", "什么也没有保存。"));
        return false;
    }
    record = {0, 0, m_clock.now().canonical(), period, *figures};
    return true;
}

bool ShiftMenu::storeAndPrint(const ShiftRecord& confirmed, bool openDrawer) {
    const ShiftRecords::Stored stored = ShiftRecords(m_db).store(confirmed.period, confirmed.figures);
    if (!stored.ok) {
        warn(stored.message);
        return false;
    }
    if (!ShiftPrinter(m_db, m_window).print(stored.record, openDrawer))
        MessageBoxes::instance().inform(
            m_window, qs(stored.record.title() + "已保存，没有打印。可以在“交班记录”中重打。"));
    return true;
}

bool ShiftMenu::previewThisShift(ShiftRecord& record, const std::string& unchanged) {
    const ReadResult<ShiftPeriod> period =
        ShiftRecords(m_db).nextHandover(m_db.tillName(), m_db.cashierName());
    if (!period) {
        warn(period.message("读取上一次交班", unchanged));
        return false;
    }
    return preview(*period, record);
}

void ShiftMenu::handover() {
    ShiftRecord record;
    if (!previewThisShift(record, "什么也没有保存。"))
        return;
    ShiftDialog dialog(record, ShiftDialog::Purpose::Handover, m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    record.figures = dialog.figures();
    if (storeAndPrint(record, true))
        askCashier();
}

void ShiftMenu::dayClose() {
    ShiftRecords records(m_db);
    const ReadResult<ShiftPeriod> period = records.nextDayClose(m_clock.now());
    if (!period)
        return warn(period.message("读取今天的日结", "什么也没有保存。"));
    if (period->kind == ShiftPeriod::Kind::Supplement &&
        !MessageBoxes::instance().ask(
            m_window,
            qs(ShiftRecords::closedNote(period->supplemented) + "。\n是否补结第" +
               std::to_string(period->supplemented) + "号日结之后的订单和改动？"),
            MessageBoxes::Icon::Question, QStringLiteral("日结"), MessageBoxes::Default::No))
        return;
    ShiftRecord record;
    if (!preview(*period, record))
        return;
    ShiftDialog dialog(record, ShiftDialog::Purpose::DayClose, m_window);
    if (dialog.exec() == QDialog::Accepted)
        storeAndPrint(record, false);
}

void ShiftMenu::showCurrent() {
    ShiftRecord record;
    if (previewThisShift(record, ""))
        ShiftDialog(record, ShiftDialog::Purpose::Current, m_window).exec();
}

void ShiftMenu::openRecords() {
    ShiftRecordsWindow(m_db, m_clock, m_window).exec();
}

// Who may take orders is the owner's decision.
void ShiftMenu::editCashiers() {
    if (ManagerCheck::passes(m_window, m_db, QStringLiteral("管理密码不正确，收银员设置没有打开。")))
        CashierListWindow(m_db, m_window).exec();
}
