#include "ui/common/QtTranslations.h"
#include "support/TestApplication.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/MessageBoxes.h"
#include "ui/receipt/PrintDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// "打印(&P)" reads 打印: the key letter is no English text.
const QRegularExpression mnemonic(QStringLiteral("\\(&[A-Za-z]\\)|&"));

QStringList buttonTexts(const QWidget& dialog) {
    QStringList texts;
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        if (!button->text().isEmpty())
            texts << button->text().remove(mnemonic);
    return texts;
}

bool hasAscii(const QStringList& texts) {
    for (const QString& text : texts)
        for (QChar c : text)
            if (c.isLetter() && c.unicode() < 128)
                return true;
    return false;
}

// The button texts of the dialog that `open` shows, read while it is up and
// then cancelled.
QStringList shownButtons(const std::function<void()>& open) {
    QStringList texts;
    QTimer::singleShot(0, [&texts] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        texts = buttonTexts(*dialog);
        dialog->reject();
    });
    open();
    return texts;
}

// Each dialog opened the way the windows open it, through its interface.
TEST(QtTranslations, StandardDialogsSpeakChinese) {
    ensureTestApplication();
    ASSERT_TRUE(QtTranslations::install());
    struct Case {
        const char* dialog;
        std::function<void()> open;
        QStringList expected;
    };
    const Case cases[] = {
        {"question",
         [] { MessageBoxes::instance().ask(nullptr, QStringLiteral("？")); },
         {QStringLiteral("是"), QStringLiteral("否")}},
        {"message",
         [] { MessageBoxes::instance().inform(nullptr, QStringLiteral("！")); },
         {QStringLiteral("确定")}},
        {"quantity",
         [] {
             int value = 1;
             MessageBoxes::instance().askInteger(nullptr, QStringLiteral("菜品选择"),
                                                 QStringLiteral("数量"), value, -32768, 32767);
         },
         {QStringLiteral("确定"), QStringLiteral("取消")}},
        {"print",
         [] {
             QPrinter printer;
             PrintDialogs::instance().choosePrinter(printer, nullptr);
         },
         {QStringLiteral("打印"), QStringLiteral("取消")}},
        {"open file",
         [] {
             FileDialogs::instance().openFile(nullptr, QStringLiteral("选择"),
                                              {QStringLiteral("PNG图片 (*.png)")});
         },
         {QStringLiteral("打开"), QStringLiteral("取消")}},
    };
    for (const Case& c : cases) {
        const QStringList shown = shownButtons(c.open);
        const std::string all = shown.join('|').toStdString();
        for (const QString& text : c.expected)
            EXPECT_TRUE(shown.contains(text)) << c.dialog << ": " << all;
        EXPECT_FALSE(hasAscii(shown)) << c.dialog << ": " << all;
    }
}

} // namespace
