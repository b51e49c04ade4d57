#include "support/MainWindowTest.h"

#include "catalogue/StationList.h"
#include "receipt/ReceiptSettings.h"
#include "support/EscPosReader.h"
#include "support/PrinterListener.h"
#include "ui/common/ListControls.h"
#include "ui/common/PagedListPanel.h"
#include "ui/history/HistoryWindow.h"

#include <QAction>
#include <QTest>

namespace {

using namespace std::chrono_literals;

// Orders settled and edited in the order window, with a thermal receipt
// printer and the station 厨房 on printers of their own.
class KitchenTickets : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        seedReceiptDefaults(db);
        for (const auto& [key, value] : Row{{"打印方式", "ESCPOS"},
                                            {"打印机连接", receipts.connection()},
                                            {"热敏打印模式", "文字"}})
            window->settings().set(key, value);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void addKitchen(const std::string& connection, const char* mode = "文字",
                    const char* copies = "1", const char* paper = "80") {
        const auto input = StationList::fromFields("厨房", connection, mode, copies, paper);
        ASSERT_EQ(StationList(db).add(input.station, {}).kind, ListOutcome::Kind::Done);
        execute("update 菜单 set 出品部门 = '厨房' where 代码 in ('005','015')");
    }
    void press(Qt::Key key) { QTest::keyClick(window.get(), key); }
    static std::string printedText(const std::vector<unsigned char>& job) {
        std::string text;
        for (const auto& line : EscPosReader(job).all(EscPosReader::Kind::Line))
            text += line.text + "\n";
        return text;
    }
    std::string nextTicket() { return printedText(kitchen.nextJob()); }
    static bool holds(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }
    // The stored order edited to `lines` and saved, its receipt not printed.
    void saveEdited(const std::vector<OrderLine>& lines) {
        const QString id = QString::fromStdString(scalar("select max(ID) from 存单"));
        ASSERT_TRUE(window->editStoredOrder(window.get(), id, "2026年12月8日"));
        OrderDraft draft = window->orderDraft();
        draft.lines = lines;
        window->loadOrderDraft(draft);
        boxes.answers = {false};
        window->saveEditedOrder();
        ASSERT_EQ(boxes.lastText(), "修改成功。是否打印小票？");
    }

    PrinterListener receipts, kitchen;
};

TEST_F(KitchenTickets, F12SendsTheStationItsDishesWithoutPricesAndOtherDishesOnlyToTheReceipt) {
    addKitchen(kitchen.connection());
    const std::string number = textOf("编辑框_编号").toStdString();
    enterDish("005", "1");
    enterDish("002", "1");
    press(Qt::Key_F12);
    const std::string ticket = nextTicket();
    for (const std::string part :
         {std::string("厨房"), "单号：" + number, std::string("白菜肉水饺")})
        EXPECT_TRUE(holds(ticket, part)) << part << "\n" << ticket;
    for (const char* absent : {"15.5", "茄子豆角", "14"})
        EXPECT_FALSE(holds(ticket, absent)) << absent << "\n" << ticket;
    const std::string receipt = printedText(receipts.nextJob());
    EXPECT_TRUE(holds(receipt, "茄子豆角")) << receipt;
    EXPECT_TRUE(kitchen.nextJob(300ms).empty()) << "one ticket, sent once";
    EXPECT_EQ(count("select count(*) from 操作记录 where 操作 = '厨房单'"), 1);
}

TEST_F(KitchenTickets, EditsSendAddedAndRemovedDishesAndTheHistoryReprintsTheTicket) {
    addKitchen(kitchen.connection());
    enterDish("005", "1");
    press(Qt::Key_F12);
    nextTicket();

    saveEdited({{"白菜肉水饺", "1", "份", "15.5"}, {"酸菜鱼", "1", "份", "16"}});
    const std::string added = nextTicket();
    EXPECT_TRUE(holds(added, "加菜")) << added;
    EXPECT_TRUE(holds(added, "【加】酸菜鱼")) << added;
    EXPECT_FALSE(holds(added, "白菜肉水饺")) << added;

    saveEdited({{"酸菜鱼", "1", "份", "16"}});
    const std::string removed = nextTicket();
    EXPECT_TRUE(holds(removed, "退菜")) << removed;
    EXPECT_TRUE(holds(removed, "【退】白菜肉水饺")) << removed;
    EXPECT_FALSE(holds(removed, "酸菜鱼")) << removed;

    onNextModal([](QWidget* history) {
        auto* panel = history->findChild<PagedListPanel*>();
        ListControls::selectRow(panel->list(), 0);
        click(history, "按钮_补打厨房单");
    });
    window->form().toolButtons.at(0)->trigger();
    const std::string reprinted = nextTicket();
    EXPECT_TRUE(holds(reprinted, "补打")) << reprinted;
    EXPECT_TRUE(holds(reprinted, "酸菜鱼")) << reprinted;
    EXPECT_FALSE(holds(reprinted, "白菜肉水饺")) << reprinted;
    EXPECT_EQ(boxes.lastText(), "厨房单已送往：厨房。");
}

TEST_F(KitchenTickets, APictureStationGetsEachCopyAsAPictureOfItsPaperCutApart) {
    addKitchen(kitchen.connection(), "图像", "2", "58");
    enterDish("005", "1");
    press(Qt::Key_F12);
    const EscPosReader ticket(kitchen.nextJob());
    EXPECT_EQ(ticket.count(EscPosReader::Kind::Line), 0);
    const auto copies = ticket.copies();
    ASSERT_EQ(copies.size(), 2u);
    for (const auto& copy : copies) {
        ASSERT_EQ(copy.front().kind, EscPosReader::Kind::Raster);
        EXPECT_EQ(copy.front().width, 384);
        EXPECT_EQ(copy.back().kind, EscPosReader::Kind::Cut);
    }
}

TEST_F(KitchenTickets, AStalledStationHoldsUpNeitherTheReceiptNorTheNextOrder) {
    PrinterListener stalled(PrinterListener::Mode::Stalled);
    addKitchen(stalled.connection());
    enterDish("005", "1");
    press(Qt::Key_F12);
    EXPECT_TRUE(holds(printedText(receipts.nextJob()), "白菜肉水饺"));
    EXPECT_FALSE(window->orderDraft().hasDishes()) << "the next order starts at once";
    EXPECT_EQ(count("select count(*) from 操作记录 where 操作 = '厨房单未打印'"), 0)
        << "the ticket is still on its way";
}

TEST_F(KitchenTickets, AStationThatRefusesLeavesTheOrderStoredAndPrintedAndTellsTheCashier) {
    const PrinterListener::RefusingPort refusing;
    addKitchen(refusing.connection());
    enterDish("005", "1");
    boxes.shown.clear();
    press(Qt::Key_F12);
    EXPECT_EQ(count("select count(*) from 存单"), 1);
    EXPECT_TRUE(holds(printedText(receipts.nextJob()), "白菜肉水饺"));
    EXPECT_FALSE(window->orderDraft().hasDishes()) << "printed, so the next order starts";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.shown.isEmpty(); }, 5000));
    EXPECT_TRUE(boxes.lastText().contains(QStringLiteral("出品部门“厨房”")))
        << boxes.lastText().toStdString();
    EXPECT_TRUE(boxes.lastText().contains(QStringLiteral("补打厨房单")));
    EXPECT_EQ(count("select count(*) from 操作记录 where 操作 = '厨房单未打印'"), 1);
}

TEST_F(KitchenTickets, ATicketThatDidNotPrintBeforeTheOrderWasStoredGoesAgainWithF12) {
    const PrinterListener::RefusingPort refusing;
    addKitchen(refusing.connection());
    enterDish("005", "1");
    boxes.shown.clear();
    press(Qt::Key_F11);
    EXPECT_TRUE(holds(printedText(receipts.nextJob()), "白菜肉水饺"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.shown.isEmpty(); }, 5000));
    EXPECT_TRUE(boxes.lastText().contains(QStringLiteral("按F12结算时会再送一次")))
        << boxes.lastText().toStdString();

    execute("update 出品部门 set 打印机连接 = '" + kitchen.connection() + "'");
    press(Qt::Key_F12);
    const std::string ticket = nextTicket();
    EXPECT_TRUE(holds(ticket, "白菜肉水饺")) << ticket;
    EXPECT_TRUE(kitchen.nextJob(300ms).empty()) << "sent once";
    EXPECT_EQ(count("select count(*) from 操作记录 where 操作 = '厨房单'"), 2);
    EXPECT_EQ(count("select count(*) from 操作记录 where 操作 = '厨房单未打印'"), 1);
}

} // namespace
