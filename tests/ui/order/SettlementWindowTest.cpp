#include "support/MainWindowTest.h"

#include "catalogue/SoldOut.h"
#include "printer/PrintSpooler.h"
#include "receipt/ReceiptSettings.h"
#include "storage/config/ProgramFolder.h"
#include "storage/engine/StorageStartup.h"
#include "support/EscPosReader.h"
#include "support/PdfTools.h"
#include "support/PrinterListener.h"
#include "support/ScriptedPrintDialogs.h"
#include "ui/catalogue/SoldOutDialog.h"
#include "ui/order/HeldOrdersDialog.h"
#include "ui/order/OrderGridView.h"
#include "ui/receipt/PreviewWindow.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QWindow>
#include <functional>

namespace {

class SettlementWindow : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        seedReceiptDefaults(db);
        window->settings().set("打印份数", "3");
        putReceiptPictures();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void type(const char* name, const QString& text) {
        QLineEdit* box = edit(name);
        box->setFocus();
        box->setText(text); // keyClicks knows no hanzi
        emit box->editingFinished();
    }

    // Three dishes, a discount and a delivery customer, paid by WeChat.
    void enterDeliveryOrder() {
        enterDish("001", "2"); // 红烧排骨饭 18
        enterDish("003", "3"); // 西红柿炒蛋 13
        enterDish("006", "1"); // 香菇猪肉水饺 16, 碗
        dropDown("组合框_减免")->setCurrentText("立减优惠");
        type("编辑框_减免份数", "1");
        type("编辑框_减免金额", "10");
        dropDown("组合框_付款方式")->setCurrentIndex(1);
        type("编辑框_电话", "13800001111");
        type("编辑框_姓名", "张三");
        type("编辑框_地址", "人民路 88 号");
        type("编辑框_备注", "少放辣");
    }

    void press(Qt::Key key) { QTest::keyClick(window.get(), key); }

    // A thermal printer that takes the connection and never reads.
    void useStalledPrinter(const PrinterListener& printer) {
        for (const auto& [key, value] : Row{{"打印方式", "ESCPOS"},
                                            {"打印机连接", printer.connection()},
                                            {"热敏打印模式", "图像"},
                                            {"小票类型", "1"},
                                            {"打印份数", "4"}})
            window->settings().set(key, value);
    }

    int orders() { return count("select count(*) from 存单"); }
    bool gridHasDishes() const { return window->orderDraft().hasDishes(); }

    ScriptedPrintDialogs dialogs{filePath("receipt.pdf")};
};

TEST_F(SettlementWindow, F12StoresTheOrderAndPrintsItsCopies) {
    enterDeliveryOrder();
    boxes.shown.clear();
    press(Qt::Key_F12);
    ASSERT_TRUE(boxes.shown.isEmpty()) << boxes.lastText().toStdString();

    const auto order = rows("select * from 存单", {"ID", "编号", "时间", "减免", "减免份数",
                                                   "减免金额", "合计", "支付方式", "已付", "实付",
                                                   "电话", "姓名", "地址", "是否结算", "备注"});
    ASSERT_EQ(order.size(), 1u);
    const std::string id = order[0].at("ID");
    EXPECT_EQ(order[0], (Row{{"ID", id},
                             {"编号", "1"},
                             {"时间", "2026年12月8日12时30分"},
                             {"减免", "立减优惠"},
                             {"减免份数", "1"},
                             {"减免金额", "10"},
                             {"合计", "91"},
                             {"支付方式", "微信支付"},
                             {"已付", "81"},
                             {"实付", "81"},
                             {"电话", "13800001111"},
                             {"姓名", "张三"},
                             {"地址", "人民路 88 号"},
                             {"是否结算", "真"},
                             {"备注", "少放辣"}}));
    EXPECT_EQ(
        rows("select * from 存单详单 order by ID", {"存单ID", "菜名", "数量", "单位", "小计"}),
        (std::vector<Row>{
            {{"存单ID", id}, {"菜名", "红烧排骨饭"}, {"数量", "2"}, {"单位", "份"}, {"小计", "36"}},
            {{"存单ID", id}, {"菜名", "西红柿炒蛋"}, {"数量", "3"}, {"单位", "份"}, {"小计", "39"}},
            {{"存单ID", id},
             {"菜名", "香菇猪肉水饺"},
             {"数量", "1"},
             {"单位", "碗"},
             {"小计", "16"}},
        }));
    EXPECT_EQ(rows("select * from 客户", {"电话", "姓名", "地址", "最近订餐日期", "订餐次数"}),
              (std::vector<Row>{{{"电话", "13800001111"},
                                 {"姓名", "张三"},
                                 {"地址", "人民路 88 号"},
                                 {"最近订餐日期", "2026年12月8日12时30分"},
                                 {"订餐次数", "1"}}}));

    // Three copies: one dialog, one page each, pictures on the first only.
    EXPECT_EQ(dialogs.shown, 1);
    EXPECT_EQ(PdfTools::pages(dialogs.pdfPath), 3);
    EXPECT_EQ(PdfTools::picturesPerPage(dialogs.pdfPath), (QList<int>{3, 1, 1}));
    const QString receipt = PdfTools::text(dialogs.pdfPath, 1);
    for (const char* expected : {"#1 微信点餐",  "微信支付订单", "[下单时间] 12-08 12:30",
                                 "红烧排骨饭",   "2份",          "36",
                                 "西红柿炒蛋",   "3份",          "39",
                                 "香菇猪肉水饺", "1碗",          "16",
                                 "合计 ￥91",    "减免",         "立减优惠",
                                 "1份",          "10",           "已支付 ￥81",
                                 "张三",         "13800001111",  "人民路 88 号",
                                 "少放辣"})
        EXPECT_TRUE(receipt.contains(QString::fromUtf8(expected))) << expected;

    // A fresh order with the next number.
    EXPECT_EQ(textOf("编辑框_编号"), "2");
    EXPECT_FALSE(gridHasDishes());
    EXPECT_FALSE(window->form().settleButton->isHidden());
    EXPECT_EQ(window->form().orderCountPart->text(), "今日打单数量：1");
}

TEST_F(SettlementWindow, F11PrintsOneCopyAndStoresNothingButItsRecord) {
    enterDish("002", "1");
    dialogs.cancel = true;
    press(Qt::Key_F11);
    EXPECT_TRUE(rows("select * from 操作记录", {"ID"}).empty()) << "nothing printed";
    dialogs.cancel = false;
    press(Qt::Key_F11);
    EXPECT_EQ(dialogs.shown, 2);
    EXPECT_EQ(PdfTools::pages(dialogs.pdfPath), 1);
    EXPECT_EQ(orders(), 0);
    EXPECT_EQ(textOf("编辑框_编号"), "1");
    EXPECT_TRUE(gridHasDishes());
    EXPECT_EQ(rows("select * from 操作记录", {"操作", "存单ID", "编号"}),
              (std::vector<Row>{{{"操作", "打单未结算"}, {"存单ID", ""}, {"编号", "1"}}}));
}

TEST_F(SettlementWindow, ThermalPrinterOpensTheDrawerOnF12AndNotOnF11) {
    PrinterListener printer;
    for (const auto& [key, value] : Row{{"打印方式", "ESCPOS"},
                                        {"打印机连接", printer.connection()},
                                        {"热敏打印模式", "文字"},
                                        {"结算开钱箱", "1"}})
        window->settings().set(key, value);
    enterDish("002", "1");
    press(Qt::Key_F12);
    EXPECT_EQ(EscPosReader(printer.nextJob()).count(EscPosReader::Kind::Drawer), 1);
    EXPECT_FALSE(gridHasDishes()) << "printed, so the next order starts";
    enterDish("002", "1");
    press(Qt::Key_F11);
    EXPECT_EQ(EscPosReader(printer.nextJob()).count(EscPosReader::Kind::Drawer), 0);
    EXPECT_EQ(dialogs.shown, 0);
}

TEST_F(SettlementWindow, PrinterThatNeverReadsLeavesTheStoredOrderOnScreenWithAWarning) {
    PrinterListener printer(PrinterListener::Mode::Stalled);
    useStalledPrinter(printer);
    enterDish("002", "1");
    boxes.shown.clear();
    QElapsedTimer waited;
    waited.start();
    press(Qt::Key_F12);
    EXPECT_EQ(orders(), 1) << "stored before the printer is waited for";
    EXPECT_TRUE(boxes.shown.isEmpty()) << "the window is free while the receipt prints";
    // A bound on the printer's time limits, not a measure of speed.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.shown.isEmpty(); }, 5000));
    EXPECT_LT(waited.elapsed(), 5000);
    EXPECT_EQ(orders(), 1);
    // Nothing was typed meanwhile, so the stored order is back, as stored.
    EXPECT_TRUE(gridHasDishes()) << "stored, not printed";
    EXPECT_EQ(textOf("编辑框_编号"), "1");
    EXPECT_FALSE(window->form().notPrintedHint->isHidden());
    EXPECT_EQ(window->session().mode(), OrderSession::Mode::StoredNotPrinted);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.lastText().contains(QStringLiteral("第1号小票可能没有打印出来")))
        << boxes.lastText().toStdString();
    EXPECT_TRUE(boxes.lastText().contains(QStringLiteral("订单已保存")));
    EXPECT_TRUE(boxes.lastText().contains(printer.connection().c_str()));
    EXPECT_EQ(
        rows("select 操作,存单ID from 操作记录", {"操作", "存单ID"}),
        (std::vector<Row>{{{"操作", "小票未打印"}, {"存单ID", scalar("select ID from 存单")}}}));
}

TEST_F(SettlementWindow, KeysTypedWhileAReceiptPrintsGoToTheNextOrder) {
    PrinterListener stalled(PrinterListener::Mode::Stalled);
    useStalledPrinter(stalled);
    enterDish("002", "1");
    boxes.shown.clear();
    press(Qt::Key_F12);
    const std::string firstId = scalar("select ID from 存单");
    // Typed at once, while the printer is still waited for.
    enterDish("003", "2");
    QTest::keyClicks(edit("编辑框_减免份数"), "1");
    EXPECT_TRUE(boxes.shown.size() == 1 && boxes.shown[0].title == QStringLiteral("菜品选择"))
        << "only the quantity box: " << boxes.lastText().toStdString();
    EXPECT_EQ(textOf("编辑框_编号"), "2");
    EXPECT_EQ(window->orderDraft().dishLines().size(), 1u);

    // The printer is mended before the cashier reads the warning.
    PrinterListener mended;
    window->settings().set("打印机连接", mended.connection());
    window->settings().set("热敏打印模式", "文字");
    boxes.shown.clear();
    boxes.answers.push_back(true); // 补打
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.shown.isEmpty(); }, 5000));
    const QString warning = boxes.shown[0].text;
    EXPECT_TRUE(warning.contains(QStringLiteral("第1号小票可能没有打印出来")))
        << warning.toStdString();
    EXPECT_TRUE(warning.contains(QStringLiteral("补打")));

    // The order being typed stays as typed; the stored one prints again.
    EXPECT_EQ(textOf("编辑框_编号"), "2");
    EXPECT_EQ(textOf("编辑框_减免份数"), "1");
    ASSERT_EQ(window->orderDraft().dishLines().size(), 1u);
    EXPECT_EQ(window->orderDraft().dishLines()[0].dishName, "西红柿炒蛋");
    EXPECT_EQ(window->session().mode(), OrderSession::Mode::New);
    const EscPosReader again(mended.nextJob());
    ASSERT_EQ(again.copies().size(), 4u) << "printed again with its copies";
    std::string lines;
    for (const auto& line : again.all(EscPosReader::Kind::Line))
        lines += line.text + "\n";
    EXPECT_NE(lines.find("#1 "), std::string::npos) << lines;
    EXPECT_EQ(again.count(EscPosReader::Kind::Drawer), 0) << "a reprint never opens the drawer";
    EXPECT_EQ(orders(), 1);
    EXPECT_EQ(rows("select 操作,存单ID,编号 from 操作记录 order by ID", {"操作", "存单ID", "编号"}),
              (std::vector<Row>{{{"操作", "小票未打印"}, {"存单ID", firstId}, {"编号", "1"}},
                                {{"操作", "重打小票"}, {"存单ID", firstId}, {"编号", "1"}}}));
}

TEST_F(SettlementWindow, ACodeTypedWhileAReceiptPrintsKeepsTheNextOrderOnScreen) {
    PrinterListener printer(PrinterListener::Mode::Stalled);
    useStalledPrinter(printer);
    enterDish("002", "1");
    press(Qt::Key_F12);
    QTest::keyClicks(edit("编辑框_项目代号"), "003");
    boxes.shown.clear();
    boxes.answers.push_back(false); // 稍后
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.shown.isEmpty(); }, 5000));
    EXPECT_TRUE(boxes.lastText().contains(QStringLiteral("补打")))
        << boxes.lastText().toStdString();
    EXPECT_EQ(window->session().mode(), OrderSession::Mode::New);
    EXPECT_EQ(textOf("编辑框_编号"), "2");
    EXPECT_EQ(textOf("编辑框_项目代号"), "003");
    EXPECT_EQ(rows("select 操作 from 操作记录", {"操作"}),
              (std::vector<Row>{{{"操作", "小票未打印"}}}))
        << "recorded, not printed again";

    // Left for later, it waits in the status bar until the printer is back.
    auto* later = control<QLabel>("链接_补打小票");
    ASSERT_FALSE(later->isHidden());
    EXPECT_EQ(later->accessibleName(), QStringLiteral("补打第1号小票"));
    EXPECT_TRUE(later->text().contains(later->accessibleName()));
    PrinterListener mended;
    window->settings().set("打印机连接", mended.connection());
    emit later->linkActivated(QStringLiteral("later"));
    EXPECT_TRUE(later->isHidden());
    EXPECT_EQ(EscPosReader(mended.nextJob()).count(EscPosReader::Kind::Drawer), 0);
    EXPECT_EQ(rows("select 操作 from 操作记录 order by ID", {"操作"}),
              (std::vector<Row>{{{"操作", "小票未打印"}}, {{"操作", "重打小票"}}}));
    EXPECT_EQ(textOf("编辑框_编号"), "2") << "the order being typed stays";
}

TEST_F(SettlementWindow, ClosingWhileAReceiptPrintsWaitsForItsEndAndRecordsIt) {
    PrinterListener printer(PrinterListener::Mode::Stalled);
    useStalledPrinter(printer);
    enterDish("002", "1");
    boxes.shown.clear();
    press(Qt::Key_F12);
    QElapsedTimer waited;
    waited.start();
    window->close();
    // A bound on the printer's time limits, not a measure of speed.
    EXPECT_LT(waited.elapsed(), PrintSpooler::instance().limits().job.count());
    EXPECT_TRUE(boxes.shown.isEmpty()) << "no question while the program closes";
    EXPECT_EQ(
        rows("select 操作,存单ID from 操作记录", {"操作", "存单ID"}),
        (std::vector<Row>{{{"操作", "小票未打印"}, {"存单ID", scalar("select ID from 存单")}}}));
    QTest::qWait(200);
    EXPECT_TRUE(boxes.shown.isEmpty()) << "a late word from the printer changes nothing";

    // Opened again, the till still offers the receipt it owes.
    startWindow();
    auto* later = control<QLabel>("链接_补打小票");
    ASSERT_FALSE(later->isHidden());
    EXPECT_EQ(later->accessibleName(), QStringLiteral("补打第1号小票"));
}

TEST_F(SettlementWindow, EmptyOrderIsRefusedByF11AndF12) {
    for (Qt::Key key : {Qt::Key_F11, Qt::Key_F12}) {
        boxes.shown.clear();
        press(key);
        ASSERT_EQ(boxes.shown.size(), 1);
        EXPECT_EQ(boxes.shown[0].text, "无法完成，还没有选择任何菜品。");
        EXPECT_EQ(boxes.shown[0].title, "提示");
        EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Information);
    }
    EXPECT_EQ(dialogs.shown, 0);
}

TEST_F(SettlementWindow, NumbersRunOnAndSkipADeletedOrder) {
    for (const char* number : {"1", "2", "3"}) {
        EXPECT_EQ(textOf("编辑框_编号"), number);
        enterDish("002", "1");
        press(Qt::Key_F12);
    }
    EXPECT_EQ(rows("select * from 存单 order by ID", {"编号"}),
              (std::vector<Row>{{{"编号", "1"}}, {{"编号", "2"}}, {{"编号", "3"}}}));
    ASSERT_TRUE(db.ExecuteSql("delete * from 存单 where 编号=2"));
    window->clearOrder();
    EXPECT_EQ(textOf("编辑框_编号"), "4");
    EXPECT_EQ(window->form().orderCountPart->text(), "今日打单数量：2");
}

TEST_F(SettlementWindow, OrderAtMidnightCountsInThePreviousDay) {
    enterDish("002", "1");
    edit("编辑框_时间")->setText("12-09 00:00");
    press(Qt::Key_F12);
    ASSERT_EQ(orders(), 1);
    EXPECT_EQ(textOf("编辑框_编号"), "2") << "00:00 of the 9th closes the 8th";
    clock.set(DateTime{2026, 12, 9, 8, 0, 0});
    window->tick();
    EXPECT_EQ(textOf("编辑框_编号"), "1");
    EXPECT_EQ(window->form().orderCountPart->text(), "今日打单数量：0");
}

TEST_F(SettlementWindow, CancelledPrintKeepsTheStoredOrderOnScreenOnce) {
    dialogs.cancel = true;
    enterDish("002", "1");
    press(Qt::Key_F12);
    EXPECT_EQ(orders(), 1);
    EXPECT_TRUE(gridHasDishes());
    EXPECT_TRUE(window->form().settleButton->isHidden());
    EXPECT_FALSE(window->form().notPrintedHint->isHidden()) << "F11 and F10 are named";
    EXPECT_TRUE(window->form().notPrintedHint->text().contains("F11"));
    EXPECT_EQ(textOf("编辑框_编号"), "1");

    press(Qt::Key_F12);
    EXPECT_EQ(orders(), 1) << "the order on screen is stored already";
    EXPECT_EQ(dialogs.shown, 1);

    dialogs.cancel = false;
    press(Qt::Key_F11);
    EXPECT_EQ(PdfTools::pages(dialogs.pdfPath), 1) << "F11 still prints it";
    const std::string id = rows("select * from 存单", {"ID"})[0]["ID"];
    EXPECT_EQ(rows("select * from 操作记录", {"操作", "存单ID"}),
              (std::vector<Row>{{{"操作", "小票未打印"}, {"存单ID", id}},
                                {{"操作", "重打小票"}, {"存单ID", id}}}))
        << "the receipt that did not print, then a receipt of the stored order";

    boxes.answers = {true};
    press(Qt::Key_F10);
    EXPECT_FALSE(gridHasDishes());
    EXPECT_FALSE(window->form().settleButton->isHidden());
    EXPECT_TRUE(window->form().notPrintedHint->isHidden());
    EXPECT_EQ(textOf("编辑框_编号"), "2");
}

TEST_F(SettlementWindow, ImpossibleAmountsAreAskedAboutAndNoStoresNothing) {
    const struct {
        const char* what;
        std::function<void()> change;
        const char* asks;
        const char* focus;
    } cases[] = {
        {"discount above the total", [this] { type("编辑框_减免金额", "100"); },
         "减免金额 100 大于合计 14。\r\n实付 -86 小于 0。\r\n\r\n是否继续？", "编辑框_减免金额"},
        {"negative discount", [this] { type("编辑框_减免金额", "-50"); }, "减免金额 -50 小于 0。",
         "编辑框_减免金额"},
        {"negative quantity",
         [this] {
             auto* grid = control<OrderGridView>("高级表格1");
             grid->setCurrentCell(0, OrderGrid::Quantity);
             grid->item(0, OrderGrid::Quantity)->setText("-3");
             edit("编辑框_项目代号")->setFocus();
         },
         "第 1 行“茄子豆角”的数量是 -3。", "高级表格1"},
        {"typed 实付 below zero", [this] { type("编辑框_实付", "-1"); }, "实付 -1 小于 0。",
         "编辑框_实付"},
    };
    for (const auto& c : cases) {
        for (Qt::Key key : {Qt::Key_F12, Qt::Key_F11}) {
            window->clearOrder();
            edit("编辑框_减免金额")->setText("");
            enterDish("002", "1"); // 茄子豆角 14
            c.change();
            boxes.shown.clear();
            boxes.answers = {false};
            press(key);
            ASSERT_EQ(boxes.shown.size(), 1) << c.what;
            EXPECT_TRUE(boxes.shown[0].text.contains(QString::fromUtf8(c.asks)))
                << c.what << ": " << boxes.shown[0].text.toStdString();
            EXPECT_EQ(boxes.shown[0].defaultButton, MessageBoxes::Default::No);
            EXPECT_EQ(orders(), 0) << c.what;
            EXPECT_EQ(dialogs.shown, 0) << c.what;
            EXPECT_TRUE(control(c.focus)->hasFocus()) << c.what;
        }
        boxes.answers = {true};
        press(Qt::Key_F12);
        EXPECT_EQ(orders(), 1) << c.what << ": Yes stores it";
        execute("Delete * from 存单");
        dialogs.shown = 0;
    }
}

TEST_F(SettlementWindow, OrderThatCannotBeStoredStaysWithAMessage) {
    const struct {
        const char* box;
        const char* text;
        const char* says;
    } cases[] = {{"编辑框_编号", "", "编号"}, {"编辑框_时间", "午饭时间", "下单时间"}};
    for (const auto& c : cases) {
        window->clearOrder();
        boxes.shown.clear();
        enterDish("002", "1");
        edit(c.box)->setText(QString::fromUtf8(c.text));
        boxes.shown.clear();
        press(Qt::Key_F12);
        ASSERT_EQ(boxes.shown.size(), 1) << c.box;
        EXPECT_TRUE(boxes.shown[0].text.contains(QString::fromUtf8(c.says))) << c.box;
        EXPECT_EQ(orders(), 0) << c.box;
        EXPECT_TRUE(gridHasDishes()) << c.box;
        EXPECT_EQ(textOf(c.box), QString::fromUtf8(c.text)) << c.box;
        EXPECT_FALSE(window->form().settleButton->isHidden()) << c.box;
        EXPECT_EQ(dialogs.shown, 0) << c.box;
    }
}

TEST_F(SettlementWindow, PreviewOpensClosesAndFollowsTheOrder) {
    auto preview = [this] { return window->findChild<PreviewWindow*>(); };
    window->form().previewButton->click();
    ASSERT_NE(preview(), nullptr);
    ASSERT_TRUE(preview()->isVisible());
    const int empty = preview()->contentHeight();
    enterDish("002", "1");
    EXPECT_GT(preview()->contentHeight(), empty) << "a new line redraws the preview";

    window->form().previewButton->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(preview(), nullptr) << "closing the preview ends it";
    window->form().previewButton->click();
    EXPECT_TRUE(preview() && preview()->isVisible());
}

// The cashier works with the preview open: it stands beside the order
// window, never takes its place or its keys.
TEST_F(SettlementWindow, PreviewStandsBesideTheOrderWindowOnScreen) {
    const QRect screen = window->screen()->availableGeometry();
    window->setGeometry(screen);
    QCoreApplication::processEvents();
    const QTreeView* list = window->form().dishResults;
    auto resultsFit = [list, results = static_cast<const QAbstractItemView*>(list)] {
        const QHeaderView* header = list->header();
        for (int c = 0; c < header->count(); ++c)
            if (!header->isSectionHidden(c) &&
                header->sectionSize(c) <
                    std::max(header->sectionSizeHint(c), results->sizeHintForColumn(c)))
                return false;
        return true;
    };
    window->form().previewButton->click();
    auto* preview = window->findChild<PreviewWindow*>();
    ASSERT_NE(preview, nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(preview->windowHandle()->transientParent(), window->windowHandle())
        << "the window manager keeps the preview above its order window";

    for (const char* type : {"1", "0", "1", "0"}) {
        window->settings().set("小票类型", type);
        enterDish("002", "1");
        QCoreApplication::processEvents();
        const QRect order = window->frameGeometry(), beside = preview->frameGeometry();
        EXPECT_TRUE(screen.contains(order) && screen.contains(beside)) << type;
        EXPECT_EQ(beside.topLeft(), QPoint(order.right() + 1, order.top())) << type;
        EXPECT_EQ(order.topLeft(), screen.topLeft()) << type;
        EXPECT_TRUE(resultsFit()) << type << ": every caption and found dish reads whole";
    }
    QTest::mouseClick(window->form().grid, Qt::LeftButton);
    EXPECT_TRUE(preview->isVisible()) << "a click into the order window hides nothing";

    window->form().previewButton->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(window->frameGeometry(), screen) << "the order window takes its width back";
}

TEST_F(SettlementWindow, FunctionKeysActWhileThePreviewIsActive) {
    window->form().previewButton->click();
    auto* preview = window->findChild<PreviewWindow*>();
    ASSERT_NE(preview, nullptr);
    auto fromPreview = [&](Qt::Key key) {
        preview->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(preview));
        QTest::keyClick(preview, key);
        QCoreApplication::processEvents();
    };
    struct Case {
        Qt::Key key;
        const char* box;
        bool replaces;
    };
    for (const Case& c :
         {Case{Qt::Key_F1, "编辑框_项目代号", true}, Case{Qt::Key_F2, "编辑框_时间2", true},
          Case{Qt::Key_F3, "编辑框_电话", true}, Case{Qt::Key_F5, "编辑框_合计", true},
          Case{Qt::Key_F7, "编辑框_备注", false}}) {
        edit(c.box)->setText("5");
        fromPreview(c.key);
        EXPECT_EQ(QApplication::focusWidget(), edit(c.box)) << c.box;
        QTest::keyClicks(QApplication::focusWidget(), "7");
        EXPECT_EQ(textOf(c.box), c.replaces ? "7" : "57") << c.box;
    }

    enterDish("001", "2");
    edit("编辑框_项目代号")->setText("5");
    fromPreview(Qt::Key_F12);
    ASSERT_EQ(orders(), 1) << "F12 settles from the preview";
    QTest::keyClicks(QApplication::focusWidget(), "003");
    EXPECT_EQ(textOf("编辑框_项目代号"), "003") << "the next code replaces the old one";
}

// F9 with the list: `downs` rows below the newest, then Enter.
void takeBackHeld(QWidget* window, int downs) {
    QTimer::singleShot(0, [downs] {
        auto* dialog = qobject_cast<HeldOrdersDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        auto* list = dialog->findChild<QTreeWidget*>("列表_挂单");
        EXPECT_EQ(list->indexOfTopLevelItem(list->currentItem()), 0) << "the newest";
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
    });
    QTest::keyClick(window, Qt::Key_F9);
    // The offscreen platform gives the activation back to no window.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// Orders parked at the counter are kept through a restart, and numbered only
// when they are settled.
TEST_F(SettlementWindow, HeldOrdersSurviveARestartAndAreNumberedWhenSettled) {
    enterDeliveryOrder();
    OrderDraft first = window->orderDraft();
    boxes.shown.clear();
    press(Qt::Key_F8);
    EXPECT_TRUE(boxes.shown.isEmpty()) << "F8 asks nothing";
    EXPECT_FALSE(gridHasDishes());
    enterDish("002", "1");
    type("编辑框_备注", "第二单");
    press(Qt::Key_F8);
    enterDish("003", "2");
    press(Qt::Key_F12);
    ASSERT_EQ(orders(), 1);
    EXPECT_EQ(window->form().heldPart->text(), "挂单：2");

    window.reset();
    db.close();
    ASSERT_TRUE(db.open(ProgramFolder::databasePath(), StorageStartup::password));
    startWindow();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(window->form().heldPart->text(), "挂单：2");
    takeBackHeld(window.get(), 1);
    const OrderDraft shown = window->orderDraft();
    EXPECT_EQ(shown.number, "2");
    first.number = shown.number;
    EXPECT_EQ(shown, first);
    press(Qt::Key_F12);
    EXPECT_EQ(
        rows("select 编号,合计,实付,电话 from 存单 order by ID", {"编号", "合计", "实付", "电话"})
            .back(),
        (Row{{"编号", "2"}, {"合计", "91"}, {"实付", "81"}, {"电话", "13800001111"}}));
    EXPECT_EQ(count("select count(*) from 存单详单 where 存单ID=(select max(ID) from 存单)"), 3);

    takeBackHeld(window.get(), 0);
    EXPECT_EQ(textOf("编辑框_备注"), "第二单");
    press(Qt::Key_F12);
    EXPECT_EQ(scalar("select max(编号) from 存单"), "3");
    EXPECT_EQ(count("select count(*) from 挂单"), 0);
    EXPECT_EQ(window->form().heldPart->text(), "挂单：0");
    boxes.shown.clear();
    press(Qt::Key_F9);
    EXPECT_EQ(boxes.lastText(), "没有挂起的订单。");
}

TEST_F(SettlementWindow, SoldOutDishesAreMarkedInTheSearchAskedOrRefused) {
    ASSERT_TRUE(SoldOut(db).mark("红烧排骨饭", 1, {2026, 12, 8}));
    ASSERT_TRUE(SoldOut(db).mark("茄子豆角", 0, {2026, 12, 8}));
    window->reloadSoldOut();
    edit("编辑框_项目代号")->setText("00");
    auto* results = control<QTreeView>("超级列表框2");
    EXPECT_EQ(results->model()->index(0, 3).data().toString(), "红烧排骨饭【剩1】");
    EXPECT_EQ(results->model()->index(1, 3).data().toString(), "茄子豆角【估清】");
    EXPECT_EQ(results->model()->index(2, 3).data().toString(), "西红柿炒蛋");

    boxes.shown.clear();
    enterDish("002", "1");
    boxes.inputs.clear();
    EXPECT_EQ(boxes.lastText(), "“茄子豆角”今日已估清，不能再点。");
    EXPECT_FALSE(gridHasDishes());
    boxes.answers = {false};
    enterDish("001", "1");
    boxes.inputs.clear();
    EXPECT_EQ(boxes.lastText(), "“红烧排骨饭”今日只剩 1 份，是否继续点？");
    EXPECT_FALSE(gridHasDishes()) << "the cashier said no";
    boxes.answers = {true};
    enterDish("001", "1");
    ASSERT_TRUE(gridHasDishes());
    press(Qt::Key_F12);
    EXPECT_EQ(orders(), 1);
    EXPECT_EQ(scalar("select 剩余 from 估清 where 菜名='红烧排骨饭'"), "0");
}

// A regular's usual order in one key, at today's prices, leaving out what the
// kitchen no longer makes.
TEST_F(SettlementWindow, LastOrderFillsTheCustomersLastLinesAtTodaysPrices) {
    addCustomer("13800001111", "张三", "人民路 88 号");
    const long long older = addOrder({.time = "2026-11-01 12:00:00", .telephone = "13800001111"});
    addLine(older, "2026-11-01 12:00:00", "酸菜鱼", "1", "15");
    const long long last = addOrder({.time = "2026-12-01 12:00:00", .telephone = "13800001111"});
    addLine(last, "2026-12-01 12:00:00", "红烧排骨饭", "2", "30");
    addLine(last, "2026-12-01 12:00:00", "老菜谱鸭", "1", "20");
    addLine(last, "2026-12-01 12:00:00", "茄子豆角", "1", "12");
    ASSERT_TRUE(SoldOut(db).mark("茄子豆角", 0, {2026, 12, 8}));
    window->reloadSoldOut();
    auto* button = control<QPushButton>("按钮_上次订单");
    EXPECT_FALSE(button->isEnabled()) << "no customer yet";
    type("编辑框_电话", "13800001111");
    ASSERT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);

    EXPECT_EQ(window->orderDraft().dishLines(),
              (std::vector<OrderLine>{{"红烧排骨饭", "2", "份", "36"}}));
    EXPECT_EQ(textOf("编辑框_合计"), "36");
    EXPECT_EQ(boxes.lastText(),
              "上次订单中这些菜品没有加入：老菜谱鸭（已不在菜单中）、茄子豆角（今日已估清）。");
}

TEST_F(SettlementWindow, SoldOutFromTheMenuMarksTheFoundDishUntilTheDayEnds) {
    edit("编辑框_项目代号")->setText("003");
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<SoldOutDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->findChild<QTreeWidget*>("列表_估清")->currentItem()->text(1),
                  "西红柿炒蛋");
        dialog->findChild<QPushButton*>("按钮_估清")->click();
        dialog->reject();
    });
    window->form().soldOutAction->trigger();
    const QAbstractItemModel* results = control<QTreeView>("超级列表框2")->model();
    EXPECT_EQ(results->index(0, 3).data().toString(), "西红柿炒蛋【估清】");
    clock.set({2026, 12, 9, 0, 0, 5});
    window->tick();
    EXPECT_EQ(results->index(0, 3).data().toString(), "西红柿炒蛋")
        << "a till left running overnight";
}

} // namespace
