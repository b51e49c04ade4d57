#include "ui/shift/ShiftMenu.h"

#include "orders/OrderStore.h"
#include "shift/Cashiers.h"
#include "support/EscPosReader.h"
#include "support/PdfTools.h"
#include "support/PrinterListener.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedPrintDialogs.h"
#include "support/WindowTest.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTreeWidget>
#include <fstream>
#include <sstream>

namespace {

// The shift menu on a window of its own, over orders stored on this till.
class ShiftMenuTest : public WindowTest {
  protected:
    ShiftMenuTest() : WindowTest(Start::Receipt) {
        window.setStatusBar(new QStatusBar(&window));
        help = window.menuBar()->addMenu(QStringLiteral("帮助"));
        menu = new ShiftMenu(db, clock, &window, help, window.statusBar());
    }

    void order(const char* method, const char* paid) {
        OrderStore::Order o;
        o.number = "1";
        o.time = "2026-12-08 11:30:00";
        o.paymentMethod = method;
        o.total = o.paid = o.actuallyPaid = paid;
        o.lines = {{"鱼香肉丝", "1", "份", paid}};
        ASSERT_GT(OrderStore(db).insert(o), 0);
    }

    // Types the amounts into the open handover dialog and confirms it.
    static void confirmHandover(QWidget* dialog, const char* counted, const char* left) {
        type(dialog, "编辑框_实点现金", counted);
        type(dialog, "编辑框_留存备用金", left);
        click(dialog, "按钮_确认交班");
    }

    QMainWindow window;
    QMenu* help;
    ShiftMenu* menu;
};

TEST_F(ShiftMenuTest, AHandoverIsStoredPrintedOnTheThermalPrinterAndOpensTheDrawer) {
    PrinterListener listener;
    setSetting("打印方式", "ESCPOS");
    setSetting("打印机连接", listener.connection());
    setSetting("热敏打印模式", "文字");
    setSetting("结算开钱箱", "1");
    order("现金支付", "30");
    order("微信支付", "20");
    onNextModal([](QWidget* dialog) { confirmHandover(dialog, "28", "10"); });
    menu->handover();

    const EscPosReader printed(listener.nextJob());
    EXPECT_EQ(printed.count(EscPosReader::Kind::Drawer), 1);
    std::string text;
    for (const auto& line : printed.all(EscPosReader::Kind::Line))
        text += line.text + "\n";
    for (const char* expected : {"交班 第1号", "现金支付：1单 30元", "微信支付：1单 20元",
                                 "应有现金：30元", "实点现金：28元", "差额：-2元", "留存备用金：10元"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    EXPECT_EQ(scalar("select 差额 from 交班记录"), "-2");
    EXPECT_EQ(menu->menu()->menuAction(), window.menuBar()->actions().front());
}

TEST_F(ShiftMenuTest, ADayClosePrintsThroughThePrintDialogAtTheReceiptWidth) {
    ScriptedPrintDialogs dialogs(filePath("日结.pdf"));
    order("现金支付", "30");
    order("微信支付", "20");
    onNextModal([](QWidget* dialog) { click(dialog, "按钮_确认日结"); });
    menu->dayClose();

    const QString text = PdfTools::text(dialogs.pdfPath);
    for (const char* expected : {"日结 第1号", "订单：2单 50元", "应有现金：30元"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("实点现金")));
    // 48 mm of receipt and 5 mm either side: 58 mm is 164.4 points.
    const auto size = QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x"))
                          .match(PdfTools::run(QStringLiteral("pdfinfo"), {dialogs.pdfPath}));
    ASSERT_TRUE(size.hasMatch());
    EXPECT_NEAR(size.captured(1).toDouble(), 164.4, 1);

    boxes.answers = {false};
    menu->dayClose();
    EXPECT_TRUE(boxes.lastText().startsWith(QStringLiteral("这一天已经日结过（第1号日结）")));
    EXPECT_EQ(count("select count(*) from 交班记录"), 1);
}

TEST_F(ShiftMenuTest, AmountsThatCannotBeStoredAreRefusedWhereTyped) {
    const struct {
        const char* field;
        const char* typed;
        const char* refusal;
    } cases[] = {
        {"编辑框_实点现金", "-5", "实点现金不能是负数。"},
        {"编辑框_实点现金", "", "实点现金“”不是金额，请填写元，最多两位小数。"},
        {"编辑框_留存备用金", "十元", "留存备用金“十元”不是金额，请填写元，最多两位小数。"},
        {"编辑框_备用金", "99999999999999", "备用金太大了，请检查后重新填写。"},
    };
    onNextModal([&](QWidget* dialog) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.field);
            for (const char* field : {"编辑框_实点现金", "编辑框_留存备用金", "编辑框_备用金"})
                type(dialog, field, QStringLiteral("1"));
            type(dialog, c.field, QString::fromUtf8(c.typed));
            click(dialog, "按钮_确认交班");
            EXPECT_EQ(boxes.lastText(), QString::fromUtf8(c.refusal));
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(dialog->focusWidget(), child(dialog, c.field));
        }
    });
    menu->handover();
    EXPECT_EQ(count("select count(*) from 交班记录"), 0);
}

TEST_F(ShiftMenuTest, AShopWithoutCashiersIsAskedNothing) {
    menu->askCashier();
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(db.cashierName(), "");
    EXPECT_FALSE(window.statusBar()->findChild<QLabel*>()->isVisibleTo(&window));
}

TEST_F(ShiftMenuTest, TheCashierAtTheTillIsAskedWithThePinAndStoredWithOrders) {
    ASSERT_EQ(Cashiers(db).add("李四", ""), "");
    ASSERT_EQ(Cashiers(db).add("张三", "1234"), "");
    onNextModal([this](QWidget* dialog) {
        child<QComboBox>(dialog, "组合框_收银员")->setCurrentText(QStringLiteral("张三"));
        type(dialog, "编辑框_PIN", QStringLiteral("12"));
        click(dialog, "按钮_确定");
        EXPECT_EQ(boxes.lastText(), QStringLiteral("PIN 不正确，请重新输入。"));
        type(dialog, "编辑框_PIN", QStringLiteral("1234"));
        click(dialog, "按钮_确定");
    });
    menu->askCashier();
    EXPECT_EQ(db.cashierName(), "张三");
    EXPECT_EQ(window.statusBar()->findChild<QLabel*>()->text(), QStringLiteral("收银员：张三"));
    order("现金支付", "30");
    EXPECT_EQ(scalar("select 收银员 from 存单"), "张三");
}

TEST_F(ShiftMenuTest, StoredRecordsAreListedForTheirPeriodShownAndExported) {
    ScriptedPrintDialogs dialogs(filePath("交班.pdf"));
    ScriptedFileDialogs files(filePath("交班记录.csv"));
    order("现金支付", "30");
    onNextModal([](QWidget* dialog) { confirmHandover(dialog, "30", "0"); });
    menu->handover();
    onNextModal([](QWidget* dialog) { click(dialog, "按钮_确认日结"); });
    menu->dayClose();
    onNextModal([this](QWidget* window) {
        auto* list = child<QTreeWidget>(window, "高级表格_交班记录");
        ASSERT_EQ(list->topLevelItemCount(), 2);
        EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("日结 第1号"));
        EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("交班 第1号"));
        list->setCurrentItem(list->topLevelItem(1));
        click(window, "按钮_导出");
        onNextModal([](QWidget* shown) {
            EXPECT_EQ(shown->windowTitle(), QStringLiteral("交班 第1号"));
            click(shown, "按钮_重打");
        });
        click(window, "按钮_查看");
        child<QDateEdit>(window, "日期框_开始")->setDate(QDate(2026, 12, 9));
        click(window, "按钮_查询");
        EXPECT_EQ(list->topLevelItemCount(), 0);
    });
    menu->openRecords();
    std::stringstream csv;
    csv << std::ifstream(files.path.toStdString()).rdbuf();
    EXPECT_NE(csv.str().find("交班 第1号"), std::string::npos) << csv.str();
    EXPECT_EQ(PdfTools::pages(dialogs.pdfPath), 1);
    EXPECT_TRUE(PdfTools::text(dialogs.pdfPath).contains(QStringLiteral("交班 第1号")));
}

} // namespace
