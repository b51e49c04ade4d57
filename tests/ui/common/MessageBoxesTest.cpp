#include "ui/common/MessageBoxes.h"
#include "support/TestApplication.h"

#include <QInputDialog>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The real quantity box, typed into as the cashier types.
TEST(MessageBoxes, IntegerBoxTakesOnlyWholeNumbersInItsRange) {
    ensureTestApplication();
    struct Case {
        const char* typed;
        Qt::Key last;
        bool answered;
        int value;
    };
    const Case cases[] = {
        {"3", Qt::Key_Return, true, 3}, // the initial 1 is replaced, not appended to
        {"99999999999", Qt::Key_Return, true, 9999},
        {"-3", Qt::Key_Return, true, -3},
        {"-99999", Qt::Key_Return, true, -9999},
        {"2x5", Qt::Key_Return, true, 25},
        {"7", Qt::Key_Escape, false, 1},
    };
    for (const Case& c : cases) {
        QTimer::singleShot(0, [&c] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QSpinBox* box = dialog->findChild<QSpinBox*>();
            ASSERT_NE(box, nullptr);
            QTest::keyClicks(box, QString::fromLatin1(c.typed));
            QTest::keyClick(box, c.last);
        });
        int value = 1;
        EXPECT_EQ(MessageBoxes::instance().askInteger(nullptr, QStringLiteral("菜品选择"),
                                                      QStringLiteral("数量"), value, -32768, 32767),
                  c.answered)
            << c.typed;
        EXPECT_EQ(value, c.value) << c.typed;
    }
}

} // namespace
