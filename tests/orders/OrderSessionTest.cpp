#include "orders/OrderSession.h"
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

} // namespace
