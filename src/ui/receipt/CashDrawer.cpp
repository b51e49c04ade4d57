#include "ui/receipt/CashDrawer.h"

#include "history/ChangeLog.h"
#include "receipt/PrinterSettings.h"
#include "storage/config/SettingsStore.h"
#include "ui/common/ManagerCheck.h"
#include "ui/common/MessageBoxes.h"
#include "ui/receipt/ThermalPrinter.h"

#include <QAction>
#include <QMenu>

bool CashDrawer::open() {
    const PrinterSettings printer = PrinterSettings::load(SettingsStore(m_db));
    if (const QString why = unavailable(printer); !why.isEmpty()) {
        MessageBoxes::instance().inform(m_window, why, MessageBoxes::Icon::Information);
        return false;
    }
    if (!ManagerCheck::passes(m_window, m_db, QString::fromUtf8(refused)))
        return false;
    if (!ChangeLog(m_db).write({ChangeLog::Kind::DrawerOpened, {}, {}, {}, {}})) {
        MessageBoxes::instance().inform(m_window, QString::fromUtf8(notRecorded),
                                        MessageBoxes::Icon::Warning);
        return false;
    }
    return ThermalPrinter(m_window).openDrawer(printer);
}

QString CashDrawer::unavailable(const PrinterSettings& printer) {
    if (printer.method == PrinterSettings::Method::System)
        return QStringLiteral("钱箱接在热敏打印机上，用系统打印机打印小票时无法打开钱箱。"
                              "请在“打印设置”的“打印机”页选择热敏打印机。");
    return {};
}

std::function<void()> CashDrawer::command(Database& db, QAction* action, QWidget* window) {
    const auto follow = [&db, action] {
        const QString why = unavailable(PrinterSettings::load(SettingsStore(db)));
        action->setEnabled(why.isEmpty());
        action->setToolTip(why.isEmpty() ? action->text() : why);
        action->setStatusTip(why);
    };
    for (QObject* holder : action->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(holder)) {
            menu->setToolTipsVisible(true);
            QObject::connect(menu, &QMenu::aboutToShow, action, follow);
        }
    follow();
    return [&db, window] { CashDrawer(db, window).open(); };
}
