#include "ui/common/QtTranslations.h"
#include "support/TestApplication.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <gtest/gtest.h>

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

TEST(QtTranslations, StandardDialogsSpeakChinese) {
    ensureTestApplication();
    ASSERT_TRUE(QtTranslations::install());

    QMessageBox question(QMessageBox::Question, QStringLiteral("信息："), QStringLiteral("？"),
                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok |
                             QMessageBox::Cancel);
    EXPECT_EQ(question.button(QMessageBox::Yes)->text().remove(mnemonic), QStringLiteral("是"));
    EXPECT_EQ(question.button(QMessageBox::No)->text().remove(mnemonic), QStringLiteral("否"));
    EXPECT_FALSE(hasAscii(buttonTexts(question))) << buttonTexts(question).join('|').toStdString();

    QInputDialog input;
    input.setInputMode(QInputDialog::IntInput);
    EXPECT_FALSE(hasAscii(buttonTexts(input))) << buttonTexts(input).join('|').toStdString();

    QPrinter printer;
    QPrintDialog print(&printer);
    const QStringList printButtons = buttonTexts(print);
    EXPECT_TRUE(printButtons.contains(QStringLiteral("打印")))
        << printButtons.join('|').toStdString();
    EXPECT_FALSE(hasAscii(printButtons)) << printButtons.join('|').toStdString();

    QFileDialog files(nullptr, QStringLiteral("选择"), QString(),
                      QStringLiteral("PNG图片 (*.png)"));
    files.setOption(QFileDialog::DontUseNativeDialog);
    const QStringList fileButtons = buttonTexts(files);
    EXPECT_FALSE(hasAscii(fileButtons)) << fileButtons.join('|').toStdString();
}

} // namespace
