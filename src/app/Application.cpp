#include "app/Application.h"
#include "storage/values/Clock.h"
#include "storage/engine/Database.h"
#include "storage/engine/KeptSumsCheck.h"
#include "storage/copies/DatabaseRestore.h"
#include "storage/config/DatabaseSettings.h"
#include "storage/config/IniFile.h"
#include "storage/config/TillName.h"
#include "storage/config/ProgramFolder.h"
#include "storage/engine/StorageStartup.h"

#include "app/AppStyle.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignal.h"
#include "receipt/ReceiptSettings.h"
#include "ui/common/FrameGeometry.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/QtTranslations.h"
#include "ui/order/MainWindow.h"

#include <QApplication>
#include <QDebug>
#include <QIcon>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {

void identifyToDesktop(QApplication& app) {
    // The window class and desktop file name let the dock group the window
    // under the installed menu entry; the icon is found once it is installed.
    app.setApplicationName(QStringLiteral("Tablewise"));
    app.setDesktopFileName(QStringLiteral(TABLEWISE_APP_ID));
    app.setWindowIcon(QIcon::fromTheme(QStringLiteral(TABLEWISE_APP_ID)));
}

// The order window fills the screen but is not maximised: a maximised window
// could not give up width to the receipt preview beside it.
void takeTheScreen(QWidget& window) {
    window.setGeometry(window.screen()->availableGeometry());
    window.show();
    // The frame's size is known only once the window manager has framed it.
    QTimer::singleShot(
        0, &window, [&window] { setFrameGeometry(&window, window.screen()->availableGeometry()); });
}

// Told once the window is up: the cashier reads it over the till, and a
// shutdown meanwhile still ends the program as it should.
void tellWhatStartUpMended(QWidget& window, const Database& db) {
    const QString notice = QString::fromStdString(StorageStartup::notice(db));
    if (notice.isEmpty())
        return;
    qWarning().noquote() << notice;
    QTimer::singleShot(0, &window, [&window, notice] {
        MessageBoxes::instance().inform(&window, notice, MessageBoxes::Icon::Warning);
    });
}

// Started with --check-sums: the kept sums are compared with the orders and
// added up again when they differ; the program says what it found and ends.
int checkKeptSums(Database& db) {
    std::string said;
    const bool done = KeptSumsCheck(db).checkAndRepair(said);
    std::printf("%s\n", said.c_str());
    return done ? 0 : 1;
}

} // namespace

bool Application::checkSingleInstance() {
    if (SingleInstance::isOnlyInstance())
        return true;
    const QString refusal = QStringLiteral("程序正在运行，无法重复打开！");
    qWarning().noquote() << refusal;
    MessageBoxes::instance().inform(nullptr, refusal, MessageBoxes::Icon::Warning);
    return false;
}

bool Application::openChosenDatabase(Database& db, const Clock& clock,
                                     const DatabaseSettings& settings) {
    switch (settings.engine) {
    case DatabaseSettings::Engine::Sqlite:
        return openDatabase(db, clock);
    case DatabaseSettings::Engine::Postgresql:
        return openServer(db, clock, settings.connection);
    case DatabaseSettings::Engine::Unknown:
        break;
    }
    MessageBoxes::instance().inform(nullptr,
                                    QString::fromStdString(settings.unknownEngineMessage() +
                                                           "\r\n\r\n" + ProgramFolder::iniPath()),
                                    MessageBoxes::Icon::Error);
    return false;
}

bool Application::openServer(Database& db, const Clock& clock, const std::string& connection) {
    db.setClock(clock);
    while (!StorageStartup::openServer(db, connection)) {
        const QString message =
            QString::fromStdString(StorageStartup::serverFailureMessage(db, connection) +
                                   "\r\n\r\n要改用本机数据文件，请把 " + ProgramFolder::iniPath() +
                                   " 中 [数据库] 的 类型 改为 {sqlite}。");
        qWarning().noquote() << message;
        if (!MessageBoxes::instance().choose(nullptr, message, MessageBoxes::Icon::Error,
                                             QStringLiteral("数据库服务器"), QStringLiteral("重试"),
                                             QStringLiteral("退出")))
            return false;
    }
    seedReceiptDefaults(db);
    return true;
}

bool Application::openDatabase(Database& db, const Clock& clock) {
    db.setClock(clock);
    if (!StorageStartup::openDatabase(db)) {
        const std::string message =
            StorageStartup::failureMessage(db, ProgramFolder::databasePath());
        qWarning().noquote() << QString::fromStdString(message) << db.lastError().c_str();
        if (db.lastFailure() == StorageFailure::Damaged)
            return restoreNewestCopy(db, clock, QString::fromStdString(message));
        MessageBoxes::instance().inform(nullptr, QString::fromStdString(message),
                                        MessageBoxes::Icon::Error);
        return false;
    }
    seedReceiptDefaults(db);
    return true;
}

// A damaged database is offered the newest sound automatic copy in its
// place; the damaged file is kept in the backup folder.
bool Application::restoreNewestCopy(Database& db, const Clock& clock, const QString& damage) {
    MessageBoxes& boxes = MessageBoxes::instance();
    const BackupFolder folder = BackupFolder::beside(ProgramFolder::databasePath());
    const std::optional<DatabaseRestore::SoundCopy> sound = DatabaseRestore::newestSound(folder);
    if (!sound) {
        boxes.inform(nullptr, damage, MessageBoxes::Icon::Error);
        return false;
    }
    const QString question = damage +
                             QStringLiteral("\r\n\r\n是否改用最新的完好自动备份？\r\n备份时间：") +
                             QString::fromStdString(sound->copy.time.canonical() + "\r\n" +
                                                    DatabaseRestore::describe(sound->summary)) +
                             QStringLiteral("\r\n\r\n损坏的文件会保存到备份文件夹。");
    if (!boxes.ask(nullptr, question, MessageBoxes::Icon::Error, QStringLiteral("信息："),
                   MessageBoxes::Default::Yes))
        return false;
    DatabaseRestore restore(db, ProgramFolder::databasePath());
    const std::string kept = folder.replacedPath(clock.now());
    if (!restore.stage(sound->copy.path).sound || !restore.swap(kept)) {
        boxes.inform(nullptr,
                     QStringLiteral("恢复失败：") + QString::fromStdString(restore.problem()) +
                         QStringLiteral("。"),
                     MessageBoxes::Icon::Error);
        return false;
    }
    seedReceiptDefaults(db);
    return true;
}

int Application::run(int argc, char** argv) {
    QApplication app(argc, argv);
    QtTranslations::install();
    TerminationSignal termination;
    identifyToDesktop(app);
    if (!checkSingleInstance())
        return 1;
    Clock& clock = Clock::system();
    Database db;
    MainWindow window(db, clock);
    const IniFile ini(ProgramFolder::iniPath());
    const DatabaseSettings settings = DatabaseSettings::load(ini);
    settings.secure(ini);
    db.setTillName(TillName::of(ini));
    if (!openChosenDatabase(db, clock, settings))
        return 1;
    if (app.arguments().contains(QStringLiteral("--check-sums")))
        return checkKeptSums(db);
    AppStyle::apply(app);
    QObject::connect(&window, &MainWindow::closed, &app, &QApplication::quit);
    window.startUp();
    takeTheScreen(window);
    tellWhatStartUpMended(window, db);
    return app.exec();
}
