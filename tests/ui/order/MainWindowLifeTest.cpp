#include "support/MainWindowTest.h"
#include "support/StorageConditions.h"

#include "ui/common/HelpDocuments.h"
#include "ui/order/TimeFormatDialog.h"

#include "storage/config/ConnectionFields.h"
#include "storage/engine/StorageStartup.h"

#include <QAction>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

namespace {

using MainWindowLife = MainWindowTest;

QString statusPart(const MainWindow& window, int part) {
    const MainWindowForm& form = window.form();
    return (part == 0 ? form.orderCountPart : form.incomePart)->text();
}

// Receives the documents the window asks the desktop to open.
class OpenedUrls : public QObject {
    Q_OBJECT
  public:
    OpenedUrls() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~OpenedUrls() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;

  public slots:
    void open(const QUrl& url) { urls.append(url); }
};

} // namespace

TEST_F(MainWindowLife, StartsWithSeededDefaultsAndFirstNumber) {
    EXPECT_EQ(window->windowTitle(), "Tablewise 3.0");
    EXPECT_EQ(dropDown("组合框_票头")->currentText(), "微信点餐");
    EXPECT_EQ(dropDown("组合框_店铺名称")->currentText(), "白云快餐");
    QComboBox* discount = dropDown("组合框_减免");
    ASSERT_EQ(discount->count(), 2);
    EXPECT_EQ(discount->itemText(0), "无");
    EXPECT_EQ(discount->currentIndex(), 1);
    EXPECT_EQ(dropDown("组合框_付款方式")->currentText(), "现金支付");
    EXPECT_EQ(textOf("编辑框_编号"), "1");
    EXPECT_EQ(textOf("编辑框_时间"), "12-08 12:30");
    EXPECT_EQ(statusPart(*window, 0), "今日打单数量：0");
    EXPECT_EQ(statusPart(*window, 1), "今日收入总额：0");
    EXPECT_EQ(window->dishes().dishes().size(), 28u);
    EXPECT_EQ(window->tables().tables().size(), 18u);
}

TEST_F(MainWindowLife, ClosingRemembersTheDefaultsForTheNextStart) {
    dropDown("组合框_票头")->setEditText("美团(第1联)");
    dropDown("组合框_店铺名称")->setEditText("农家大碗茶");
    dropDown("组合框_减免")->setEditText("开业酬宾");
    edit("编辑框_减免份数")->setText("2");
    edit("编辑框_减免金额")->setText("8");
    dropDown("组合框_付款方式")->setCurrentIndex(4);
    restartWindow();

    EXPECT_EQ(dropDown("组合框_票头")->currentText(), "美团(第1联)");
    EXPECT_EQ(dropDown("组合框_店铺名称")->currentText(), "农家大碗茶");
    EXPECT_EQ(dropDown("组合框_减免")->currentText(), "开业酬宾");
    EXPECT_EQ(textOf("编辑框_减免份数"), "2");
    EXPECT_EQ(textOf("编辑框_减免金额"), "8");
    EXPECT_EQ(dropDown("组合框_付款方式")->currentText(), "到付");
    EXPECT_EQ(SettingsStore(db).get("付款方式", ""), "4");

    // A control character would print as a command on every receipt after.
    dropDown("组合框_店铺名称")->setEditText(QString::fromUtf8("农家\x1Bp0大碗茶"));
    boxes.shown.clear();
    restartWindow();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.lastText().contains(QStringLiteral("“店铺名称”中含有控制字符")))
        << boxes.lastText().toStdString();
    EXPECT_EQ(dropDown("组合框_店铺名称")->currentText(), "农家大碗茶") << "the last saved stay";
}

TEST_F(MainWindowLife, AnUnknownPaymentIndexSelectsCash) {
    SettingsStore(db).set("付款方式", "9");
    startWindow();
    EXPECT_EQ(dropDown("组合框_付款方式")->currentIndex(), 0);
}

TEST_F(MainWindowLife, DateChangeRestartsTheNumbering) {
    ASSERT_TRUE(
        db.ExecuteSql("insert into 存单 (编号,时间,实付) values (1,'2026-12-08 09:00',12)"));
    ASSERT_TRUE(
        db.ExecuteSql("insert into 存单 (编号,时间,实付) values (3,'2026-12-08 10:00',20)"));
    ASSERT_TRUE(db.ExecuteSql("insert into 存单 (编号,时间,实付) values (9,'2026-12-09 00:00',5)"));
    clock.set({2026, 12, 8, 23, 59, 59});
    window->refreshNumbering();
    // An order at exactly midnight belongs to the day before.
    EXPECT_EQ(textOf("编辑框_编号"), "10");
    EXPECT_EQ(statusPart(*window, 0), "今日打单数量：3");
    EXPECT_EQ(statusPart(*window, 1), "今日收入总额：37");

    clock.set({2026, 12, 9, 0, 0, 1});
    window->tick();
    EXPECT_EQ(textOf("编辑框_编号"), "1");
    EXPECT_EQ(statusPart(*window, 0), "今日打单数量：0");
    EXPECT_EQ(statusPart(*window, 1), "今日收入总额：0");
    EXPECT_EQ(textOf("编辑框_时间"), "12-09 00:00");

    // Orders that cannot be read give no number and no figures: never a
    // first order of the day that would repeat a number already printed.
    {
        StorageConditions::OtherWriter other(db, folder.file("data/data.mdb"));
        window->refreshNumbering();
    }
    EXPECT_EQ(textOf("编辑框_编号"), "");
    EXPECT_EQ(statusPart(*window, 0), "今日打单数量：无法读取");
    EXPECT_EQ(statusPart(*window, 1), "今日收入总额：无法读取");
}

TEST_F(MainWindowLife, ClockWritesTheTimeUnlessAStoredOrderIsEdited) {
    window->setTimeFormat(2);
    clock.set({2026, 12, 8, 7, 5, 0});
    window->tick();
    EXPECT_EQ(textOf("编辑框_时间"), "2026-12-08 07:05");

    ASSERT_TRUE(db.ExecuteSql(
        "insert into 存单 (编号,时间,合计,已付,实付) values (3,'2026-11-30 18:00:00',10,10,10)"));
    ASSERT_TRUE(window->editStoredOrder(window.get(), QString::number(db.lastInsertId()),
                                        QStringLiteral("2026年11月30日")));
    EXPECT_EQ(control<QPushButton>("按钮_打单结算")->text(), "修改(F12)");
    edit("编辑框_时间")->setText("2026-11-30 18:00");
    window->tick();
    EXPECT_EQ(textOf("编辑框_时间"), "2026-11-30 18:00");

    window->clearOrder();
    EXPECT_EQ(control<QPushButton>("按钮_打单结算")->text(), "打单结算(F12)");
    window->tick();
    EXPECT_EQ(textOf("编辑框_时间"), "2026-12-08 07:05");
}

TEST_F(MainWindowLife, HelpLinksSwapColoursEveryTick) {
    const MainWindowForm& form = window->form();
    // The colour the link is drawn in, told by the hue of its strongest
    // pixel: yellow is 60 degrees, the green 86.
    const auto colour = [](QLabel* link) {
        const QImage image = link->grab().toImage();
        QColor strongest(Qt::white);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (const QColor pixel = image.pixelColor(x, y);
                    pixel.hsvSaturation() > strongest.hsvSaturation())
                    strongest = pixel;
        if (strongest.hsvSaturation() < 128)
            return QColor();
        return strongest.hsvHue() < 73 ? QColor(255, 255, 0) : QColor(128, 224, 0);
    };
    const QColor first = colour(form.tutorialLink);
    EXPECT_TRUE(first.isValid());
    window->tick();
    const QColor second = colour(form.tutorialLink);
    EXPECT_NE(first, second);
    EXPECT_TRUE(second == QColor(255, 255, 0) || second == QColor(128, 224, 0));
    EXPECT_EQ(colour(form.printingHelpLink), second);
    window->tick();
    EXPECT_EQ(colour(form.tutorialLink), first);
}

TEST_F(MainWindowLife, TimeFormatChooserStoresAtOnce) {
    TimeFormatDialog dialog(window->settings(), 1, window.get());
    EXPECT_EQ(dialog.windowTitle(), "选择时间格式");
    EXPECT_TRUE(dialog.option(1)->isChecked());
    EXPECT_EQ(dialog.option(2)->text(), "年-月-日 时:分(2000-12-30 01:59)");
    dialog.option(2)->click();
    EXPECT_TRUE(dialog.option(2)->isChecked());
    EXPECT_FALSE(dialog.option(1)->isChecked());
    EXPECT_EQ(dialog.choice(), 2);
    EXPECT_EQ(SettingsStore(db).get("时间格式", ""), "2");

    EXPECT_TRUE(TimeFormatDialog(window->settings(), 5, nullptr).option(0)->isChecked());
}

TEST_F(MainWindowLife, TimeButtonOpensTheChooserAndTheNextTickUsesIt) {
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<TimeFormatDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->option(1)->click();
        dialog->accept();
    });
    control<QPushButton>("按钮_时间设置")->click();
    window->tick();
    EXPECT_EQ(textOf("编辑框_时间"), "2026/12/08 12:30");
}

TEST_F(MainWindowLife, FunctionKeysActOnlyInTheActiveMainWindow) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const std::pair<Qt::Key, const char*> keys[] = {
        {Qt::Key_F3, "编辑框_电话"},    {Qt::Key_F2, "编辑框_时间2"}, {Qt::Key_F5, "编辑框_合计"},
        {Qt::Key_F7, "编辑框_备注"},    {Qt::Key_F6, "高级表格1"},    {Qt::Key_F4, "组合框_减免"},
        {Qt::Key_F1, "编辑框_项目代号"}};
    for (const auto& [key, name] : keys) {
        QTest::keyClick(window.get(), key);
        EXPECT_TRUE(control(name)->hasFocus()) << name;
    }
    boxes.answers = {false};
    QTest::keyClick(window.get(), Qt::Key_F10);
    EXPECT_EQ(boxes.lastText(), "是否清空点单数据？");

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    const qsizetype shown = boxes.shown.size();
    QTest::keyClick(window.get(), Qt::Key_F10);
    EXPECT_EQ(boxes.shown.size(), shown);
}

TEST_F(MainWindowLife, ToolbarHasTenPositionsAndTheMenusTheirItems) {
    const MainWindowForm& form = window->form();
    ASSERT_EQ(form.toolButtons.size(), 10);
    EXPECT_TRUE(form.toolButtons[3]->isSeparator());
    EXPECT_TRUE(form.toolButtons[7]->isSeparator());
    EXPECT_EQ(form.toolButtons[0]->text(), "历史订单");
    EXPECT_EQ(form.toolButtons[6]->text(), "桌号设置");
    EXPECT_EQ(form.settingsMenu->title(), "设置菜单");
    EXPECT_EQ(form.helpMenu->title(), "帮助");
    EXPECT_EQ(form.gridMenu->title(), "A菜单");
    EXPECT_EQ(form.deleteLineAction->text(), "删除行");
    EXPECT_EQ(form.statusBar->objectName(), "状态条1");
    EXPECT_FALSE(form.importAction->isEnabled()); // a till on its own file
    onNextModal([](QWidget* shown) { EXPECT_EQ(shown->windowTitle(), "数据库设置"); });
    form.databaseSettingsAction->trigger();
}

TEST_F(MainWindowLife, EveryNamedControlCarriesItsNameAndCaption) {
    for (const char* name :
         {"编辑框_编号",     "组合框_票头",  "组合框_店铺名称", "编辑框_时间",
          "编辑框_时间2",    "组合框_桌号",  "编辑框_电话",     "编辑框_姓名",
          "编辑框_地址",     "组合框_减免",  "编辑框_减免份数", "编辑框_减免金额",
          "组合框_付款方式", "编辑框_合计",  "编辑框_已支付",   "编辑框_实付",
          "编辑框_备注",     "ID",           "高级表格1",       "编辑框_项目代号",
          "超级列表框2",     "按钮_时间设置"}) {
        QWidget* widget = control(name);
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->accessibleDescription(), QString::fromUtf8(name));
        EXPECT_FALSE(widget->accessibleName().isEmpty()) << name;
    }
}

TEST_F(MainWindowLife, HelpWritesRealWordDocumentsAndOpensThem) {
    OpenedUrls opened;
    window->form().tutorialAction->trigger();
    QTest::mouseClick(window->form().printingHelpLink, Qt::LeftButton);
    ASSERT_EQ(opened.urls.size(), 2);
    for (const auto document :
         {HelpDocuments::Document::Tutorial, HelpDocuments::Document::Printing}) {
        const QString path = filePath(HelpDocuments::fileName(document));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.startsWith("PK\x03\x04"));
        EXPECT_TRUE(bytes.contains("word/document.xml"));
    }
    EXPECT_EQ(opened.urls[0].toLocalFile(), filePath("怎样使用软件.docx"));
    EXPECT_EQ(opened.urls[1].toLocalFile(), filePath("打印不了怎么办.docx"));
}

TEST_F(MainWindowLife, AboutShowsNameVersionAndDataFolder) {
    window->form().aboutAction->trigger();
    EXPECT_TRUE(boxes.lastText().contains("Tablewise"));
    EXPECT_TRUE(boxes.lastText().contains("版本号:3.0"));
    EXPECT_TRUE(boxes.lastText().endsWith("数据文件夹：\n" + QString::fromStdString(folder.path())));
    // A till on a server names the server and its database instead.
    if (ServerDatabase::server().empty())
        return;
    ServerDatabase server;
    ASSERT_TRUE(db.openServer(server.connection() + " password=Pw9")) << db.lastError();
    window->form().aboutAction->trigger();
    const ConnectionFields fields = ConnectionFields::parse(server.connection());
    EXPECT_TRUE(boxes.lastText().endsWith(
        QString::fromStdString("数据库服务器：\n" + fields.server() + "，数据库 " + fields.dbname)))
        << boxes.lastText().toStdString();
    EXPECT_FALSE(boxes.lastText().contains("Pw9"));
    EXPECT_TRUE(StorageStartup::openDatabase(db));
}

#include "MainWindowLifeTest.moc"
