#include "storage/Clock.h"
#include "storage/Database.h"
#include "storage/ProgramFolder.h"
#include "storage/StorageStartup.h"

#include "app/AppStyle.h"
#include "ui/order/MainWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// With the program's style and font, the main window fits a 1366x768 screen
// less a title bar and a task bar, and no caption is cut short.
TEST(MainWindowLayout, FitsA1366x768ScreenWithEveryCaptionWhole) {
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "test_app";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
    AppStyle::apply(*qApp);
    QTemporaryDir folder;
    ProgramFolder::setPath(folder.path().toStdString());
    FixedClock clock(DateTime{2026, 12, 8, 12, 0, 0});
    Database db;
    db.setClock(clock);
    ASSERT_TRUE(StorageStartup::openDatabase(db));
    MainWindow window(db, clock);
    window.startUp();

    const QSize needed = window.minimumSizeHint();
    EXPECT_LE(needed.width(), 1366);
    EXPECT_LE(needed.height(), 768 - 30 - 40);

    window.resize(1366, 768 - 30 - 40);
    window.show();
    QApplication::processEvents();
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->isVisible() && !label->text().isEmpty())
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    }
    for (QPushButton* button : window.findChildren<QPushButton*>())
        EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
}
