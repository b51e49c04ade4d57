#include "app/Application.h"
#include "storage/Clock.h"
#include "storage/Database.h"
#include "storage/ProgramFolder.h"
#include "storage/StorageStartup.h"

#include "app/AppStyle.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignal.h"
#include "receipt/ReceiptSettings.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/QtTranslations.h"
#include "ui/order/MainWindow.h"

#include <QApplication>
#include <QDebug>
#include <QIcon>
#include <QScreen>

namespace {

void identifyToDesktop(QApplication& app) {
    // The window class and desktop file name let the dock group the window
    // under the installed menu entry; the icon is found once it is installed.
    app.setApplicationName(QStringLiteral("Tablewise"));
    app.setDesktopFileName(QStringLiteral(TABLEWISE_APP_ID));
    app.setWindowIcon(QIcon::fromTheme(QStringLiteral(TABLEWISE_APP_ID)));
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

bool Application::openDatabase(Database& db, const Clock& clock) {
    db.setClock(clock);
    if (!StorageStartup::openDatabase(db)) {
        const std::string message =
            StorageStartup::failureMessage(db, ProgramFolder::databasePath());
        qWarning().noquote() << QString::fromStdString(message) << db.lastError().c_str();
        MessageBoxes::instance().inform(nullptr, QString::fromStdString(message),
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
    if (!openDatabase(db, clock))
        return 1;
    AppStyle::apply(app);
    QObject::connect(&window, &MainWindow::closed, &app, &QApplication::quit);
    window.startUp();
    window.setGeometry(window.screen()->availableGeometry());
    window.showMaximized();
    return app.exec();
}
