#include "held/HeldOrderDesk.h"
#include "orders/Settlement.h"
#include "support/SampleOrders.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

class HeldOrdersTest : public OnBothEngines {
  protected:
    // The order as taking it back gives it: no number or time (the screen's
    // own stay), the dish rows trimmed and the grid's empty row below them.
    static OrderDraft asTakenBack(OrderDraft order) {
        order.number.clear();
        order.orderTime.clear();
        order.lines = order.dishLines();
        order.lines.push_back({});
        order.paymentIndex = 1; // 微信支付
        return order;
    }
    long long hold(const OrderDraft& order, long long replacing = 0) {
        const long long id = held.hold(order, replacing);
        EXPECT_GT(id, 0) << held.failure();
        return id;
    }
    void asTill(const std::string& name) { data.db.setTillName(name); }
    void later(int seconds) { data.clock.set(HeldOrders::secondsAfter(data.clock.now(), seconds)); }

    TestDatabase data{GetParam(), TestDatabase::Start::Template};
    HeldOrders held{data.db, data.clock};
};

INSTANTIATE_TEST_SUITE_P(Engines, HeldOrdersTest, bothEngines, engineName);

TEST_P(HeldOrdersTest, TakingBackGivesEveryFieldAsHeldAndStoresNoOrder) {
    OrderDraft withRounding = threeDishOrder();
    withRounding.tableCode = "3";
    withRounding.rounding = "0.5";
    OrderDraft noDiscount = threeDishOrder();
    noDiscount.discountName.clear();
    noDiscount.discountPortions.clear();
    noDiscount.discountAmount.clear();
    int heldCount = 0;
    for (const OrderDraft& order : {withRounding, noDiscount}) {
        const long long id = hold(order);
        EXPECT_EQ(data.count("select count(*) from 存单"), 0);
        EXPECT_EQ(*held.count(), ++heldCount);

        const HeldOrders::Taken taken = held.take(id);
        ASSERT_EQ(taken.outcome, HeldOrders::TakeOutcome::Taken) << taken.message;
        EXPECT_EQ(taken.order, asTakenBack(order)) << "empty boxes come back empty";
    }
}

TEST_P(HeldOrdersTest, ListsNewestFirstWithWhoTotalAndFirstDishes) {
    OrderDraft walkIn = threeDishOrder();
    walkIn.table.clear();
    walkIn.tableCode.clear();
    walkIn.telephone = walkIn.name = walkIn.address = "";
    hold(walkIn);
    later(60);
    OrderDraft atTable = threeDishOrder();
    atTable.lines.insert(atTable.lines.begin(), {"王老吉", "2", "瓶", "7"});
    hold(atTable);
    later(60);
    const OrderDraft delivery = deliveryOrder("", {{"酸菜鱼", "1", "份", "16"}}, "16", "16");
    hold(delivery);

    const auto list = held.list();
    ASSERT_TRUE(list) << list.error();
    ASSERT_EQ(list->size(), 3u);
    EXPECT_EQ((*list)[0].heldAt, "12-08 12:02");
    EXPECT_EQ((*list)[0].who, "张三 13800001111 人民路 88 号");
    EXPECT_EQ((*list)[0].total, "16");
    EXPECT_EQ((*list)[0].dishes, "酸菜鱼×1");
    EXPECT_EQ((*list)[1].who, "号牌 3");
    EXPECT_EQ((*list)[1].total, "82");
    EXPECT_EQ((*list)[1].dishes, "王老吉×2、红烧排骨饭×2、香菇猪肉水饺×1等");
    EXPECT_EQ((*list)[2].who, "散客") << "an order with neither table nor customer";
}

// Two tills of one server: one takes an order back at a time, and a lease
// that is not renewed lapses, so a till that stopped locks nothing.
TEST_P(HeldOrdersTest, OneTillHasATakenOrderUntilItsLeaseLapses) {
    const long long id = hold(threeDishOrder());
    asTill("一号台");
    ASSERT_EQ(held.take(id).outcome, HeldOrders::TakeOutcome::Taken);

    asTill("二号台");
    const HeldOrders::Taken refused = held.take(id);
    EXPECT_EQ(refused.outcome, HeldOrders::TakeOutcome::Leased);
    EXPECT_NE(refused.message.find("一号台"), std::string::npos) << refused.message;
    EXPECT_EQ((*held.list())[0].leasedBy, "一号台");

    later(HeldOrders::leaseSeconds / 2);
    asTill("一号台");
    ASSERT_TRUE(held.renew(id));
    later(HeldOrders::leaseSeconds / 2 + 1);
    asTill("二号台");
    EXPECT_EQ(held.take(id).outcome, HeldOrders::TakeOutcome::Leased) << "renewed";

    later(HeldOrders::leaseSeconds);
    ASSERT_EQ(held.take(id).outcome, HeldOrders::TakeOutcome::Taken) << "lapsed";
    asTill("一号台");
    EXPECT_FALSE(held.remove(id).empty()) << "the other till has it now";
    asTill("二号台");
    EXPECT_EQ(held.remove(id), "");
    EXPECT_EQ(held.take(id).outcome, HeldOrders::TakeOutcome::Gone);
    EXPECT_EQ(*held.count(), 0);
    EXPECT_EQ(data.count("select count(*) from 挂单详单"), 0);
}

TEST_P(HeldOrdersTest, HoldingAgainReplacesTheOrderItWasTakenFrom) {
    const long long first = hold(threeDishOrder());
    ASSERT_EQ(held.take(first).outcome, HeldOrders::TakeOutcome::Taken);
    OrderDraft changed = threeDishOrder();
    changed.lines = {{"酸菜鱼", "2", "份", "32"}, {}};
    const long long second = hold(changed, first);
    EXPECT_EQ(*held.count(), 1);
    EXPECT_EQ(held.take(second).order.lines, changed.lines);
}

// Settling a taken order removes it in the settlement's transaction: either
// both happen or neither.
TEST_P(HeldOrdersTest, SettlingRemovesTheTakenOrderOrNothingIsStored) {
    const std::string self = data.db.tillName();
    HeldOrderDesk desk(data.db, data.clock);
    Settlement settlement(data.db, data.clock);
    settlement.storeAlongWith({[&](const OrderDraft&) { return desk.settleOnScreen(); }});
    const long long settled = hold(threeDishOrder());
    const long long id = hold(threeDishOrder());
    ASSERT_EQ(desk.take(settled).outcome, HeldOrders::TakeOutcome::Taken);
    ASSERT_EQ(settlement.store(threeDishOrder()).outcome, Settlement::Outcome::Done);
    EXPECT_EQ(*held.count(), 1);
    EXPECT_EQ(data.count("select count(*) from 挂单详单"), 3);
    desk.leaveScreen();

    ASSERT_EQ(desk.take(id).outcome, HeldOrders::TakeOutcome::Taken);

    asTill("另一台");
    later(HeldOrders::leaseSeconds + 1);
    ASSERT_EQ(held.take(id).outcome, HeldOrders::TakeOutcome::Taken);
    asTill(self);
    EXPECT_EQ(settlement.store(threeDishOrder()).outcome, Settlement::Outcome::NotStored);
    EXPECT_EQ(data.count("select count(*) from 存单"), 1) << "taken by the other till";
    EXPECT_EQ(*held.count(), 1);
}

TEST(HeldOrderDesk, RefusesToHoldOrTakeWhileAStoredOrderIsOnScreen) {
    const OrderDraft order = threeDishOrder();
    const struct {
        OrderSession::Mode mode;
        OrderDraft order;
        bool holds, takes;
    } cases[] = {
        {OrderSession::Mode::New, order, true, true},
        {OrderSession::Mode::New, OrderDraft{}, false, true},
        {OrderSession::Mode::Editing, order, false, false},
        {OrderSession::Mode::StoredNotPrinted, order, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HeldOrderDesk::holdRefusal(c.mode, c.order).empty(), c.holds) << int(c.mode);
        EXPECT_EQ(HeldOrderDesk::takeRefusal(c.mode).empty(), c.takes) << int(c.mode);
    }
}

TEST(HeldOrders, LeasesEndAcrossMidnightAndMonthEnds) {
    EXPECT_EQ(HeldOrders::secondsAfter({2026, 12, 31, 23, 59, 30}, 120),
              (DateTime{2027, 1, 1, 0, 1, 30}));
    EXPECT_EQ(HeldOrders::secondsAfter({2028, 2, 28, 23, 59, 0}, 60),
              (DateTime{2028, 2, 29, 0, 0, 0}));
}

} // namespace
