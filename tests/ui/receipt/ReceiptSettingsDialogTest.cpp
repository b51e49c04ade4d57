#include "ui/receipt/ReceiptSettingsDialog.h"
#include "support/EscPosReader.h"
#include "receipt/ReceiptSettings.h"
#include "storage/config/SettingsStore.h"
#include "support/PrinterListener.h"
#include "support/WindowTest.h"

#include <map>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

class ReceiptSettingsDialogTest : public WindowTest {
  protected:
    ReceiptSettingsDialogTest() : WindowTest(Start::Receipt) {}

    template <typename W> W* control(ReceiptSettingsDialog& dialog, const QString& name) {
        return child<W>(&dialog, name);
    }
    QLineEdit* sizeBox(ReceiptSettingsDialog& dialog, int row) {
        return control<QLineEdit>(dialog, QStringLiteral("编辑框字体大小%1").arg(row));
    }
    void click(ReceiptSettingsDialog& dialog, const QString& name) {
        control<QPushButton>(dialog, name)->click();
    }
    std::string stored(const std::string& key) { return m_store.get(key, "<none>"); }

    QString writePicture(const QString& name, const QColor& colour) {
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = filePath(name);
        image.save(path, "PNG");
        return path;
    }

    SettingsStore m_store{db};
};

TEST_F(ReceiptSettingsDialogTest, ShowsTheStoredSettings) {
    m_store.set("附带信息1", "订餐电话:0531-1234");
    m_store.set("附带信息2", "");
    m_store.set("打印份数", "2");
    ReceiptSettingsDialog dialog(db);
    EXPECT_EQ(dialog.windowTitle(), "打印设置");
    EXPECT_EQ(control<QComboBox>(dialog, "组合框_小票类型")->currentText(), "58小票");
    EXPECT_EQ(control<QComboBox>(dialog, "组合框_设置类型")->currentText(), "自定义");
    EXPECT_EQ(control<QLineEdit>(dialog, "编辑框份数")->text(), "2");
    EXPECT_EQ(control<QLineEdit>(dialog, "编辑框1")->text(), "订餐电话:0531-1234");
    EXPECT_EQ(control<QLineEdit>(dialog, "编辑框2")->text(), "订餐微信号:wxdc****");
    EXPECT_TRUE(control<QCheckBox>(dialog, "选择框3")->isChecked());
    EXPECT_EQ(sizeBox(dialog, 7)->text(), "12");
    EXPECT_TRUE(control<QCheckBox>(dialog, "选择框_加粗_11")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(dialog, "选择框_加粗_1")->isChecked());
    EXPECT_FALSE(control<QLabel>(dialog, "图片框1")->pixmap().isNull());
    EXPECT_FALSE(control<QLabel>(dialog, "图片框2")->pixmap().isNull());
    EXPECT_EQ(control<QLabel>(dialog, "标签_字体大小范围")->text(), "字体大小允许的设定范围 7-30");
    EXPECT_EQ(sizeBox(dialog, 3)->accessibleDescription(), "编辑框字体大小3");
    EXPECT_EQ(sizeBox(dialog, 3)->accessibleName(), "支付方式：字体大小");
}

TEST_F(ReceiptSettingsDialogTest, CopiesAreCorrectedBeforeTheSizesAreExamined) {
    struct Case {
        const char* typed;
        const char* corrected;
    };
    for (const Case& c : {Case{"0", "1"}, Case{"9", "4"}}) {
        ReceiptSettingsDialog dialog(db);
        auto* copies = control<QLineEdit>(dialog, "编辑框份数");
        copies->setText(c.typed);
        sizeBox(dialog, 1)->setText("99");
        click(dialog, "按钮_应用设置");
        EXPECT_EQ(copies->text(), c.corrected) << c.typed;
        EXPECT_EQ(stored("打印份数"), "1") << c.typed;
    }
}

TEST_F(ReceiptSettingsDialogTest, CopiesBoxNeverKeepsACountBelowOne) {
    ReceiptSettingsDialog dialog(db);
    auto* copies = control<QLineEdit>(dialog, "编辑框份数");
    copies->setText("-2");
    emit copies->editingFinished();
    EXPECT_EQ(copies->text(), "1");
}

TEST_F(ReceiptSettingsDialogTest, SizeOutOfRangeInRowThreeFocusesItAndSavesNothing) {
    ReceiptSettingsDialog dialog(db);
    dialog.show();
    control<QLineEdit>(dialog, "编辑框1")->setText("改过的电话");
    sizeBox(dialog, 1)->setText("20");
    sizeBox(dialog, 2)->setText("21");
    sizeBox(dialog, 3)->setText("31");
    sizeBox(dialog, 4)->setText("2");
    int applied = 0;
    QObject::connect(&dialog, &ReceiptSettingsDialog::settingsApplied, [&] { ++applied; });
    click(dialog, "按钮_应用设置");

    EXPECT_EQ(dialog.focusWidget(), sizeBox(dialog, 3));
    EXPECT_EQ(sizeBox(dialog, 3)->selectedText(), "31");
    EXPECT_EQ(control<QTabWidget>(dialog, "选择夹1")->currentIndex(), 1);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.lastText(), "字体大小超出设定，请将字体大小控制在数值 7-30 的范围内。");
    EXPECT_EQ(boxes.shown.last().title, "提示");
    EXPECT_EQ(boxes.shown.last().icon, MessageBoxes::Icon::Information);
    EXPECT_EQ(stored("字体大小"), "9|9|9|9|9|9|12|9|9|12|12");
    EXPECT_NE(stored("附带信息1"), "改过的电话");
    EXPECT_EQ(applied, 0);
}

TEST_F(ReceiptSettingsDialogTest, DefaultLayoutGreysOutPicturesAndFontsAndKeepsTheLists) {
    ReceiptSettingsDialog dialog(db);
    int applied = 0;
    QObject::connect(&dialog, &ReceiptSettingsDialog::settingsApplied, [&] { ++applied; });
    control<QComboBox>(dialog, "组合框_设置类型")->setCurrentIndex(0);
    for (const char* name : {"选择框3", "选择框4", "编辑框_顶部图片", "编辑框_底部图片",
                             "按钮_选择顶部图片", "按钮_选择底部图片", "编辑框字体大小1",
                             "编辑框字体大小11", "选择框_加粗_1", "选择框_加粗_11"})
        EXPECT_FALSE(control<QWidget>(dialog, name)->isEnabled()) << name;
    for (const char* name : {"选择框1", "编辑框1", "编辑框份数", "组合框_小票类型"})
        EXPECT_TRUE(control<QWidget>(dialog, name)->isEnabled()) << name;
    EXPECT_EQ(sizeBox(dialog, 7)->text(), "12");

    click(dialog, "按钮_应用设置");
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(stored("设置类型"), "0");
    EXPECT_EQ(stored("字体大小"), "9|9|9|9|9|9|12|9|9|12|12");
    EXPECT_EQ(stored("勾选加粗"), "0|0|0|0|0|0|1|0|0|1|1");
    EXPECT_EQ(applied, 1);

    control<QComboBox>(dialog, "组合框_设置类型")->setCurrentIndex(1);
    EXPECT_TRUE(sizeBox(dialog, 1)->isEnabled());
}

TEST_F(ReceiptSettingsDialogTest, StoredDefaultLayoutOpensGreyedOut) {
    m_store.set("设置类型", "0");
    ReceiptSettingsDialog dialog(db);
    EXPECT_FALSE(sizeBox(dialog, 5)->isEnabled());
    EXPECT_FALSE(control<QCheckBox>(dialog, "选择框3")->isEnabled());
}

TEST_F(ReceiptSettingsDialogTest, ChosenPictureIsWrittenOnlyWhenApplied) {
    const QString chosen = writePicture("logo.png", Qt::red);
    {
        ReceiptSettingsDialog dialog(db);
        dialog.choosePicture(ReceiptSettingsDialog::Picture::Top, chosen);
        EXPECT_EQ(control<QLineEdit>(dialog, "编辑框_顶部图片")->text(), chosen);
        dialog.reject();
    }
    EXPECT_FALSE(QFile::exists(dataFile("stp.png")));

    ReceiptSettingsDialog dialog(db);
    dialog.choosePicture(ReceiptSettingsDialog::Picture::Top, chosen);
    click(dialog, "按钮_确认");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    QFile written(dataFile("stp.png"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    QFile original(chosen);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), original.readAll());
    EXPECT_FALSE(QFile::exists(dataFile("xtp.png")));
}

TEST_F(ReceiptSettingsDialogTest, FileThatIsNotAPictureIsRefused) {
    const QString path = filePath("menu.png");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("just text");
    file.close();
    ReceiptSettingsDialog dialog(db);
    dialog.choosePicture(ReceiptSettingsDialog::Picture::Bottom, path);
    EXPECT_TRUE(control<QLineEdit>(dialog, "编辑框_底部图片")->text().isEmpty());
    EXPECT_EQ(boxes.lastText(), "所选文件不是PNG图片，请重新选择。");
    click(dialog, "按钮_应用设置");
    EXPECT_FALSE(QFile::exists(dataFile("xtp.png")));
}

TEST_F(ReceiptSettingsDialogTest, ShortSizeListShowsEmptyBoxesAndFailsValidation) {
    m_store.set("字体大小", "10|11|12");
    ReceiptSettingsDialog dialog(db);
    EXPECT_EQ(sizeBox(dialog, 3)->text(), "12");
    EXPECT_TRUE(sizeBox(dialog, 4)->text().isEmpty());
    EXPECT_TRUE(sizeBox(dialog, 11)->text().isEmpty());
    EXPECT_FALSE(dialog.validateSettingsDialog());
    EXPECT_EQ(dialog.focusWidget(), sizeBox(dialog, 4));
    EXPECT_EQ(stored("字体大小"), "10|11|12");
}

TEST_F(ReceiptSettingsDialogTest, ApplyingStoresEveryChange) {
    ReceiptSettingsDialog dialog(db);
    int applied = 0;
    QObject::connect(&dialog, &ReceiptSettingsDialog::settingsApplied, [&] { ++applied; });
    control<QComboBox>(dialog, "组合框_小票类型")->setCurrentIndex(1);
    control<QLineEdit>(dialog, "编辑框份数")->setText("3");
    control<QCheckBox>(dialog, "选择框2")->setChecked(true);
    control<QLineEdit>(dialog, "编辑框2")->setText("微信号:it's-me");
    control<QCheckBox>(dialog, "选择框4")->setChecked(false);
    sizeBox(dialog, 2)->setText("30");
    control<QCheckBox>(dialog, "选择框_加粗_2")->setChecked(true);
    click(dialog, "按钮_应用设置");
    const std::pair<const char*, const char*> records[] = {
        {"小票类型", "1"},
        {"打印份数", "3"},
        {"附带信息2勾选", "1"},
        {"附带信息2", "微信号:it's-me"},
        {"底部图片勾选", "0"},
        {"字体大小", "9|30|9|9|9|9|12|9|9|12|12"},
        {"勾选加粗", "0|1|0|0|0|0|1|0|0|1|1"}};
    for (const auto& [record, value] : records)
        EXPECT_EQ(stored(record), value) << record;
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(loadReceiptSettings(db).lineStyles[1].size, 30);
}

TEST_F(ReceiptSettingsDialogTest, StoreWithoutReceiptKeysRefusesToSave) {
    execute("Delete * from 记录 where 记录内容='字体大小'");
    ReceiptSettingsDialog dialog(db);
    for (int row = 1; row <= 11; ++row)
        sizeBox(dialog, row)->setText("9");
    control<QLineEdit>(dialog, "编辑框份数")->setText("2");
    click(dialog, "按钮_应用设置");
    EXPECT_EQ(boxes.lastText(), "设置失败.错误7763");
    EXPECT_EQ(boxes.shown.last().icon, MessageBoxes::Icon::None);
    EXPECT_EQ(stored("打印份数"), "1");
    EXPECT_FALSE(*m_store.exists("字体大小"));
}

TEST_F(ReceiptSettingsDialogTest, PrinterPageStoresTheThermalPrinterAndPrintsItsTestPage) {
    PrinterListener printer;
    ReceiptSettingsDialog dialog(db);
    auto* thermal = control<QRadioButton>(dialog, "单选框_热敏打印机");
    auto* connection = control<QComboBox>(dialog, "组合框_打印机连接");
    auto* mode = control<QComboBox>(dialog, "组合框_热敏打印模式");
    EXPECT_TRUE(control<QRadioButton>(dialog, "单选框_系统打印机")->isChecked());
    EXPECT_FALSE(connection->isEnabled());
    EXPECT_EQ(mode->currentText(), "图像");
    EXPECT_TRUE(control<QCheckBox>(dialog, "选择框_切纸")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(dialog, "选择框_开钱箱")->isChecked());

    thermal->setChecked(true);
    connection->setEditText("厨房");
    click(dialog, "按钮_应用设置");
    EXPECT_EQ(boxes.lastText().toStdString(), ReceiptSettingsForm::connectionMessage());
    EXPECT_EQ(stored("打印方式"), "<none>") << "nothing is saved";

    connection->setEditText(QString::fromStdString(printer.connection()).remove("tcp:"));
    mode->setCurrentText("文字");
    control<QCheckBox>(dialog, "选择框_开钱箱")->setChecked(true);
    click(dialog, "按钮_打印测试页");
    EXPECT_TRUE(boxes.lastText().startsWith("测试页已发送")) << boxes.lastText().toStdString();
    const EscPosReader page(printer.nextJob());
    EXPECT_EQ(page.count(EscPosReader::Kind::Drawer), 0);
    EXPECT_GT(page.count(EscPosReader::Kind::Line), 3);

    click(dialog, "按钮_应用设置");
    const std::map<std::string, std::string> expected = {{"打印方式", "ESCPOS"},
                                                         {"打印机连接", printer.connection()},
                                                         {"打印后切纸", "1"},
                                                         {"结算开钱箱", "1"},
                                                         {"热敏打印模式", "文字"}};
    for (const auto& [key, value] : expected)
        EXPECT_EQ(stored(key), value) << key;
}

} // namespace
