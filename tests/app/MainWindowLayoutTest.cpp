#include "app/AppStyle.h"
#include "support/TestApplication.h"
#include "support/TestDatabase.h"
#include "ui/order/MainWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

// With the program's style and font, the main window fits a 1366x768 screen
// less a title bar and a task bar, and no caption is cut short.
TEST(MainWindowLayout, FitsA1366x768ScreenWithEveryCaptionWhole) {
    ensureTestApplication();
    AppStyle::apply(*qApp);
    TestDatabase data;
    ASSERT_TRUE(data.db.isOpen());
    MainWindow window(data.db, data.clock);
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
