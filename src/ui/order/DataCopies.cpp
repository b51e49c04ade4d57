#include "ui/order/DataCopies.h"

#include "history/ManagerPassword.h"
#include "history/RestoreCarryOver.h"
#include "storage/config/ProgramFolder.h"
#include "storage/copies/DatabaseCopy.h"
#include "storage/copies/DatabaseRestore.h"
#include "storage/copies/LocalDataImport.h"
#include "storage/engine/Database.h"
#include "storage/values/Clock.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/ManagerCheck.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/TaskProgress.h"
#include "ui/order/RestoreChoiceDialog.h"

#include <QApplication>
#include <QTimer>

namespace {

const QString backupTitle = QStringLiteral("备份数据");
const QString restoreTitle = QStringLiteral("恢复数据");
const QString importTitle = QStringLiteral("导入本地数据");

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

// What the owner reads before a file's data replaces the current data.
struct DataCopies::FileUse {
    QString title;
    QString unsound;     // before the problem a file that is not sound has
    QString unsoundEnd;  // after its path
    QString question;    // before the path and what the file holds
    QString consequence; // after them
    QString refusal;     // for a wrong manager password
};

const DataCopies::FileUse DataCopies::importUse{
    importTitle,
    QStringLiteral("这个文件不是完好的 Tablewise 数据，不能导入："),
    {},
    QStringLiteral("把这个文件的全部数据导入数据库服务器？\n\n"),
    QStringLiteral("\n\n服务器上现有的菜单、桌号、客户和设置会被替换。"),
    QStringLiteral("管理密码不正确，数据没有导入。")};

const DataCopies::FileUse DataCopies::restoreUse{
    restoreTitle,
    QStringLiteral("这个文件不是完好的 Tablewise 数据，不能用来恢复："),
    QStringLiteral("\n\n当前数据没有改动。"),
    QStringLiteral("用这份备份替换当前的全部数据？\n\n"),
    QStringLiteral("\n\n当前的数据会先保存到备份文件夹。"),
    QString::fromUtf8(ManagerPassword::restoreRefused)};

DataCopies::DataCopies(Database& db, Clock& clock, QWidget* window,
                       std::function<void(const QString&)> tellFailure,
                       std::function<void()> restored)
    : m_db(db), m_clock(clock), m_window(window), m_tellFailure(std::move(tellFailure)),
      m_restored(std::move(restored)), m_backups(db, clock), m_timer(new QTimer(window)) {
    QObject::connect(m_timer, &QTimer::timeout, window, [this] { stepAutomaticBackup(); });
}

// A server is backed up where it runs; a till copies only its own file.
void DataCopies::startAutomaticBackup() {
    if (m_db.isServer())
        return;
    if (m_backups.startIfDue())
        m_timer->start(50);
    stepAutomaticBackup();
}

// The copy runs on a thread of its own; the window only looks whether it ended.
void DataCopies::stepAutomaticBackup() {
    if (!m_backups.poll())
        m_timer->stop();
    const std::string failure = m_backups.takeFailure();
    if (!failure.empty())
        m_tellFailure(qs(failure));
}

// The program must not end with half a copy: the running one is completed,
// then the closing copy is taken whole.
void DataCopies::backUpOnClosing() {
    m_timer->stop();
    if (m_db.isServer())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_backups.finish();
    if (m_backups.start())
        m_backups.finish();
    QApplication::restoreOverrideCursor();
}

// The window keeps painting while the copy runs; the owner waits for it.
void DataCopies::backUpByHand() {
    if (tellServerIsBackedUpThere(backupTitle))
        return;
    const QString path = FileDialogs::instance().saveFile(
        m_window, backupTitle, qs(BackupFolder::fileName(m_clock.now())),
        {QStringLiteral("Tablewise 数据 (*.mdb)")});
    if (path.isEmpty())
        return;
    const std::string problem = copyTo(m_db, path.toStdString());
    if (problem.empty())
        MessageBoxes::instance().inform(m_window, QStringLiteral("数据已备份到：\n") + path,
                                        MessageBoxes::Icon::Information, backupTitle);
    else
        MessageBoxes::instance().inform(
            m_window, QStringLiteral("备份失败：") + qs(problem) + QStringLiteral("。\n\n") + path,
            MessageBoxes::Icon::Warning, backupTitle);
}

std::string DataCopies::copyTo(Database& db, const std::string& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DatabaseCopy copy(db.connection(), path);
    while (copy.step(AutomaticBackups::pagesPerStep * 8) != DatabaseCopy::State::Done &&
           copy.running())
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QApplication::restoreOverrideCursor();
    return copy.state() == DatabaseCopy::State::Done ? std::string() : copy.problem();
}

void DataCopies::chooseRestore() {
    if (tellServerIsBackedUpThere(restoreTitle))
        return;
    RestoreChoiceDialog dialog(m_backups.folder(), m_window);
    if (dialog.exec() == QDialog::Accepted)
        restoreFrom(dialog.chosenPath());
}

bool DataCopies::tellServerIsBackedUpThere(const QString& title) {
    if (!m_db.isServer())
        return false;
    MessageBoxes::instance().inform(
        m_window,
        QStringLiteral("数据保存在数据库服务器上，由服务器那边备份和恢复（例如每天用 pg_dump "
                       "备份），这台收银机不另做备份。"),
        MessageBoxes::Icon::Information, title);
    return true;
}

// A file that is not sound is refused; for a sound one the owner sees what it
// holds, agrees and gives the manager password.
bool DataCopies::agreesToUse(const FileUse& use, const QString& path,
                             const BackupSummary& summary) {
    MessageBoxes& boxes = MessageBoxes::instance();
    if (!summary.sound) {
        // A file of a later version may well be sound: it is named for what it is.
        boxes.inform(m_window,
                     (summary.laterVersion ? QString() : use.unsound) + qs(summary.problem) +
                         QStringLiteral("。\n\n") + path + use.unsoundEnd,
                     MessageBoxes::Icon::Warning, use.title);
        return false;
    }
    const QString question = use.question + path + QStringLiteral("\n") +
                             qs(DatabaseRestore::describe(summary)) + use.consequence;
    return boxes.ask(m_window, question, MessageBoxes::Icon::Warning, use.title,
                     MessageBoxes::Default::No) &&
           ManagerCheck::passes(m_window, m_db, use.refusal);
}

bool DataCopies::importLocalData() {
    const QString path = FileDialogs::instance().openFile(
        m_window, importTitle,
        {QStringLiteral("Tablewise 数据 (*.mdb)"), QStringLiteral("所有文件 (*)")});
    return !path.isEmpty() && importFrom(path);
}

bool DataCopies::importFrom(const QString& path) {
    MessageBoxes& boxes = MessageBoxes::instance();
    LocalDataImport import(m_db);
    if (const std::string refused = import.refusal(); !refused.empty()) {
        boxes.inform(m_window, qs(refused), MessageBoxes::Icon::Warning, importTitle);
        return false;
    }
    if (!agreesToUse(importUse, path, DatabaseRestore::inspect(path.toStdString(), false)))
        return false;
    bool imported = false;
    {
        TaskProgress progress(m_window, QStringLiteral("正在导入本地数据…"), importTitle);
        imported = import.run(path.toStdString(), progress.callback());
    }
    if (!imported) {
        boxes.inform(m_window, qs(import.problem()), MessageBoxes::Icon::Warning, importTitle);
        return false;
    }
    m_restored();
    boxes.inform(m_window, QStringLiteral("本地数据已导入数据库服务器。"),
                 MessageBoxes::Icon::Information, importTitle);
    return true;
}

bool DataCopies::restoreFrom(const QString& path) {
    MessageBoxes& boxes = MessageBoxes::instance();
    DatabaseRestore restore(m_db, ProgramFolder::databasePath());
    const RestoreCarryOver carryOver(m_db);
    FileUse use = restoreUse;
    if (carryOver.keepsPassword())
        use.consequence += QStringLiteral("\n当前的管理密码会保留，恢复后仍然有效。");
    if (!agreesToUse(use, path, restore.stage(path.toStdString())))
        return false;
    m_timer->stop();
    m_backups.abandon();
    const std::string kept = m_backups.folder().replacedPath(m_clock.now());
    const auto finish = [&](Database& restored) {
        return carryOver.applyTo(restored, path.toStdString(), kept);
    };
    if (!restore.swap(kept, finish)) {
        boxes.inform(m_window,
                     QStringLiteral("恢复失败：") + qs(restore.problem()) +
                         QStringLiteral("。\n\n当前数据没有改动。"),
                     MessageBoxes::Icon::Warning, restoreTitle);
        return false;
    }
    m_restored();
    boxes.inform(m_window, QStringLiteral("数据已恢复。\n\n原来的数据已保存为：\n") + qs(kept),
                 MessageBoxes::Icon::Information, restoreTitle);
    return true;
}
