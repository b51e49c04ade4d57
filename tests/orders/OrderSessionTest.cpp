#include "orders/OrderSession.h"
#include "orders/ReceiptsInFlight.h"
#include "support/SampleOrders.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

// The keys of the order window driven without it: what each stores, what
// the change record says, and which receipt goes to the printer.
class OrderSessionTest : public ::testing::Test, public TestDatabase {
  protected:
    struct Printed {
        std::string number;
        std::size_t dishes;
        bool withCopies;
        bool settling;
        std::string rounding;
    };

    OrderSession::Print printer() {
        return [this](const ReceiptOrder& receipt, bool withCopies, bool settling,
                      const std::function<bool()>& startJob) {
            if (startJob && !startJob())
                return false;
            printed.push_back(
                {receipt.number, receipt.dishes.size(), withCopies, settling, receipt.rounding});
            return printerWorks;
        };
    }
    Settlement::Result settle() {
        whenStored = 0;
        return session.settle(printer(), [this] { ++whenStored; });
    }
    int orders() { return count("select count(*) from 存单"); }
    std::string records() {
        std::string kinds;
        for (const Row& row : rows("select 操作 from 操作记录 order by ID", {"操作"}))
            kinds += row.at("操作") + ";";
        return kinds;
    }

    OrderSession session{db, clock};
    std::vector<Printed> printed;
    bool printerWorks = true;
    int whenStored = 0;
};

TEST_F(OrderSessionTest, SettlingANewOrderStoresItThenPrintsItsReceiptWithCopies) {
    session.setOrder(threeDishOrder());
    ASSERT_EQ(session.settleKey(), OrderSession::SettleKey::Settle);
    EXPECT_EQ(settle().outcome, Settlement::Outcome::Done);
    EXPECT_EQ(orders(), 1);
    EXPECT_EQ(count("select count(*) from 存单详单"), 3);
    EXPECT_EQ(whenStored, 1);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].number, "1");
    EXPECT_EQ(printed[0].dishes, 4u) << "the receipt shows the grid as it stood";
    EXPECT_TRUE(printed[0].withCopies && printed[0].settling);

    session.clear(2);
    EXPECT_EQ(session.mode(), OrderSession::Mode::New);
    EXPECT_EQ(session.order().number, "2");
    EXPECT_FALSE(session.order().hasDishes());
    EXPECT_EQ(session.order().header, "微信点餐") << "the remembered fields stay";
}

TEST_F(OrderSessionTest, PrintingWithoutSettlingStoresOnlyItsRecord) {
    session.setOrder(threeDishOrder());
    EXPECT_EQ(session.printOnly(printer()).outcome, Settlement::Outcome::Done);
    EXPECT_EQ(orders(), 0);
    EXPECT_EQ(records(), "打单未结算;");
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_FALSE(printed[0].withCopies || printed[0].settling);
    EXPECT_EQ(session.mode(), OrderSession::Mode::New);
}

TEST_F(OrderSessionTest, AStoredOrderWhoseReceiptFailedIsNeverStoredAgain) {
    printerWorks = false;
    session.setOrder(threeDishOrder());
    EXPECT_EQ(settle().outcome, Settlement::Outcome::NotPrinted);
    EXPECT_EQ(session.mode(), OrderSession::Mode::StoredNotPrinted);
    EXPECT_EQ(session.order().orderId, scalar("select ID from 存单"));
    EXPECT_EQ(session.settleKey(), OrderSession::SettleKey::Nothing);
    EXPECT_EQ(settle().outcome, Settlement::Outcome::NotStored);
    EXPECT_EQ(orders(), 1);
    EXPECT_EQ(printed.size(), 1u) << "F12 prints nothing either";

    // F11 prints the stored order again, recorded as a reprint of it.
    printerWorks = true;
    EXPECT_EQ(session.printOnly(printer()).outcome, Settlement::Outcome::Done);
    EXPECT_EQ(records(), "小票未打印;重打小票;");
    EXPECT_EQ(scalar("select min(存单ID) from 操作记录"), session.order().orderId);
    EXPECT_EQ(scalar("select max(存单ID) from 操作记录"), session.order().orderId);
    EXPECT_EQ(orders(), 1);
}

TEST_F(OrderSessionTest, EditingAStoredOrderSavesOverItAndReprintsItWithCopies) {
    const long long id = addOrder({.time = "2026-12-08 09:00:00", .number = "4"});
    addLine(id, "2026-12-08 09:00:00", "鱼香肉丝");
    const std::string idText = std::to_string(id);
    StoredOrders stored(db);
    session.beginEditing(*stored.loadOrder(idText), *stored.findOrderLines(idText, "2026年12月8日"),
                         0);
    ASSERT_EQ(session.settleKey(), OrderSession::SettleKey::SaveEdit);
    EXPECT_EQ(settle().outcome, Settlement::Outcome::NotStored) << "F12 saves, never settles";

    OrderDraft changed = session.order();
    changed.remark = "加辣";
    changed.lines.push_back({"宫保鸡丁", "1", "份", "18"});
    session.setOrder(changed);
    EXPECT_EQ(session.saveEdit().outcome, OrderEditor::Outcome::Saved);
    EXPECT_EQ(orders(), 1);
    EXPECT_EQ(scalar("select 备注 from 存单 where ID=" + idText), "加辣");
    EXPECT_EQ(count("select count(*) from 存单详单 where 存单ID=" + idText), 2);

    EXPECT_EQ(session.printStored(printer()).outcome, RecordedPrint::Outcome::Printed);
    EXPECT_EQ(records(), "修改订单;重打小票;");
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].number, "4");
    EXPECT_TRUE(printed[0].withCopies);
    EXPECT_FALSE(printed[0].settling) << "only a settlement opens the drawer";
}

TEST_F(OrderSessionTest, TheRoundingGoesOnTheReceiptAndOnItsReprint) {
    OrderDraft order = deliveryOrder("1", {{"白菜肉水饺", "1", "份", "78.5"}, {}}, "78.5", "78");
    order.discountAmount = "";
    order.rounding = "0.5";
    session.setOrder(order);
    EXPECT_EQ(settle().outcome, Settlement::Outcome::Done);
    const std::string id = scalar("select ID from 存单");
    EXPECT_EQ(scalar("select 抹零金额 from 存单"), "0.5");
    EXPECT_EQ(scalar("select 实付 from 存单"), "78");

    session.clear(2);
    StoredOrders stored(db);
    session.beginEditing(*stored.loadOrder(id), *stored.findOrderLines(id, "2026年12月8日"), 0);
    EXPECT_EQ(session.printStored(printer()).outcome, RecordedPrint::Outcome::Printed);
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[0].rounding, "0.5");
    EXPECT_EQ(printed[1].rounding, "0.5");
}

// Receipts handed to a printer that tells its end later: each end reaches
// the order it printed, once, whatever order the ends come in.
TEST_F(OrderSessionTest, TheEndOfAPrintUnderWayIsAppliedToItsOwnOrderOnce) {
    std::vector<OrderDraft> stored;
    for (const char* number : {"1", "2"}) {
        OrderDraft order = threeDishOrder();
        order.number = number;
        session.setOrder(order);
        ASSERT_EQ(settle().outcome, Settlement::Outcome::Done) << "handed over";
        stored.push_back(session.order());
        session.clear(3);
    }
    ReceiptsInFlight inFlight(db);
    const int first = inFlight.started(stored[0]);
    const int second = inFlight.started(stored[1]);
    const int third = inFlight.started(stored[0]);
    using Next = ReceiptsInFlight::Next;
    const ReceiptsInFlight::End printed{true, "tcp:10.0.0.9:9100", {}};
    const ReceiptsInFlight::End stalled{false, "tcp:10.0.0.9:9100", "打印机没有收完"};
    const struct {
        int key;
        ReceiptsInFlight::End end;
        bool untouched;
        std::optional<Next> next; // none: not under way
        const char* number;
        std::vector<const char*> warning;
    } cases[] = {
        {second,
         stalled,
         false,
         Next::OfferReprint,
         "2",
         {"第2号小票可能没有打印出来", "tcp:10.0.0.9:9100", "打印机没有收完", "补打"}},
        {second, stalled, true, std::nullopt, "", {}},
        {first, printed, true, Next::Nothing, "1", {}},
        {first, stalled, true, std::nullopt, "", {}},
        {third, stalled, true, Next::BackOnScreen, "1", {"第1号小票可能没有打印出来", "F11"}},
        {third + 1, printed, true, std::nullopt, "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const auto outcome = inFlight.ended(c.key, c.end, c.untouched);
        ASSERT_EQ(outcome.has_value(), c.next.has_value());
        if (!outcome)
            continue;
        EXPECT_EQ(outcome->next, *c.next);
        EXPECT_EQ(outcome->order.number, c.number);
        EXPECT_EQ(outcome->order.orderId, stored[c.number == std::string("1") ? 0 : 1].orderId);
        EXPECT_EQ(outcome->warning.empty(), c.warning.empty()) << outcome->warning;
        for (const char* part : c.warning)
            EXPECT_NE(outcome->warning.find(part), std::string::npos) << outcome->warning;
    }
    EXPECT_TRUE(inFlight.empty());
    // Each receipt that did not print is recorded against its own order.
    EXPECT_EQ(
        rows("select 操作,存单ID,编号 from 操作记录 order by ID", {"操作", "存单ID", "编号"}),
        (std::vector<Row>{{{"操作", "小票未打印"}, {"存单ID", stored[1].orderId}, {"编号", "2"}},
                          {{"操作", "小票未打印"}, {"存单ID", stored[0].orderId}, {"编号", "1"}}}));
}

TEST_F(OrderSessionTest, TheScreenIsUntouchedUntilTheCashierTypesOnIt) {
    session.setOrder(threeDishOrder());
    session.clear(7);
    const OrderDraft fresh = session.order();
    const struct {
        const char* change;
        std::function<void(OrderDraft&)> apply;
        bool untouched;
    } cases[] = {
        {"nothing", [](OrderDraft&) {}, true},
        {"the clock moved", [](OrderDraft& d) { d.orderTime = "12-08 12:31"; }, true},
        {"another till took the number", [](OrderDraft& d) { d.number = "8"; }, true},
        {"the grid shows its empty rows", [](OrderDraft& d) { d.lines.resize(12); }, true},
        {"a dish",
         [](OrderDraft& d) {
             d.lines.push_back({"宫保鸡丁", "1", "份", "18"});
         },
         false},
        {"a telephone", [](OrderDraft& d) { d.telephone = "1"; }, false},
        {"a table", [](OrderDraft& d) { d.table = "号牌 5"; }, false},
        {"a remark", [](OrderDraft& d) { d.remark = "打包"; }, false},
        {"a discount", [](OrderDraft& d) { d.discountPortions = "3"; }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        OrderDraft typed = fresh;
        c.apply(typed);
        session.setOrder(typed);
        EXPECT_EQ(session.untouched(), c.untouched);
    }

    // A stored order put back for F11 is not a fresh screen, and F12 leaves it alone.
    session.setOrder(fresh);
    OrderDraft stored = threeDishOrder();
    stored.orderId = "41";
    session.showNotPrinted(stored);
    EXPECT_FALSE(session.untouched());
    EXPECT_EQ(session.mode(), OrderSession::Mode::StoredNotPrinted);
    EXPECT_EQ(session.order(), stored);
    EXPECT_EQ(session.settleKey(), OrderSession::SettleKey::Nothing);
}

} // namespace
