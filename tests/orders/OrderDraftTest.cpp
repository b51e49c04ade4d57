#include "orders/OrderDraft.h"
#include "orders/OrderChecks.h"
#include "orders/OrderTime.h"
#include "support/SampleOrders.h"

#include <gtest/gtest.h>

namespace {

// Every field filled in.
OrderDraft fullDraft() {
    OrderDraft d = deliveryOrder("7", {{"王老吉", "1", "瓶", "3.5"}, {}}, "30", "25");
    d.orderTime = "05-15 12:30";
    d.tableCode = "2";
    d.table = "号牌 2";
    d.discountAmount = "5";
    d.paymentIndex = 1;
    d.remark = "少辣";
    d.orderId = "12";
    return d;
}

} // namespace

TEST(OrderDraft, ClearedKeepsTheRemembered) {
    const OrderDraft full = fullDraft();
    const OrderDraft fresh = full.cleared(8);
    OrderDraft expected;
    expected.number = "8";
    for (std::string OrderDraft::*kept :
         {&OrderDraft::header, &OrderDraft::shop, &OrderDraft::orderTime, &OrderDraft::table,
          &OrderDraft::discountName, &OrderDraft::discountPortions, &OrderDraft::discountAmount,
          &OrderDraft::paymentMethod})
        expected.*kept = full.*kept;
    expected.paymentIndex = 1;
    expected.lines = {OrderLine{}};
    EXPECT_EQ(fresh, expected);
    EXPECT_FALSE(fresh.hasDishes());
}

TEST(OrderDraft, ContentIsADishOrATelephone) {
    OrderDraft d;
    d.lines = {OrderLine{}};
    EXPECT_FALSE(orderHasContent(d));
    d.name = "张三";
    d.remark = "少辣";
    EXPECT_FALSE(orderHasContent(d));
    d.telephone = "1";
    EXPECT_TRUE(orderHasContent(d));
    d.telephone.clear();
    d.lines = {{"炒饭", "1", "", "0"}, {}};
    EXPECT_TRUE(orderHasContent(d));
    EXPECT_TRUE(d.hasDishes());
}

TEST(OrderDraft, PaymentMethodsInTheirFixedOrder) {
    const std::vector<std::string> expected{"现金支付", "微信支付", "支付宝支付",
                                            "在线支付", "到付",     "混合支付"};
    EXPECT_EQ(OrderDraft::paymentMethods(), expected);
}

TEST(OrderChecks, AnOrderNumberIsOneToNineDigits) {
    const std::pair<const char*, bool> cases[] = {
        {"1", true},    {"007", true},       {"123456789", true},   {"", false},
        {"-5", false},  {"+5", false},       {"1234567890", false}, {"1.5", false},
        {"1 2", false}, {"1,合计=0", false},
    };
    for (const auto& [text, valid] : cases)
        EXPECT_EQ(OrderChecks::isOrderNumber(text), valid) << text;
}

TEST(OrderChecks, ImpossibleAmountsAreQuestionedAndNamed) {
    using Field = OrderChecks::AmountDoubts::Field;
    struct Case {
        const char* what;
        void (*change)(OrderDraft&);
        Field first;
        int gridRow;
        std::vector<std::string> reasons;
    };
    const Case cases[] = {
        {"plain order", [](OrderDraft&) {}, Field::None, 0, {}},
        {"discount equal to the total",
         [](OrderDraft& d) { d.discountAmount = "30", d.paid = d.actuallyPaid = "0"; },
         Field::None,
         0,
         {}},
        {"discount above the total",
         [](OrderDraft& d) { d.discountAmount = "100", d.actuallyPaid = "-70"; },
         Field::DiscountAmount,
         0,
         {"减免金额 100 大于合计 30。", "实付 -70 小于 0。"}},
        {"negative discount",
         [](OrderDraft& d) { d.discountAmount = " -50 "; },
         Field::DiscountAmount,
         0,
         {"减免金额 -50 小于 0。"}},
        {"negative quantity",
         [](OrderDraft& d) {
             d.lines = {{"王老吉", "1", "瓶", "3.5"}, {"酸菜鱼", "-3", "份", "-48"}, {}};
         },
         Field::Quantity,
         2,
         {"第 2 行“酸菜鱼”的数量是 -3。"}},
        {"typed negative 实付",
         [](OrderDraft& d) { d.actuallyPaid = "-1"; },
         Field::ActuallyPaid,
         0,
         {"实付 -1 小于 0。"}},
    };
    for (const Case& c : cases) {
        OrderDraft d = fullDraft();
        c.change(d);
        const OrderChecks::AmountDoubts doubts = OrderChecks::impossibleAmounts(d);
        EXPECT_EQ(doubts.reasons, c.reasons) << c.what;
        EXPECT_EQ(doubts.firstField, c.first) << c.what;
        EXPECT_EQ(doubts.gridRow, c.gridRow) << c.what;
    }
    OrderDraft d = fullDraft();
    d.discountAmount = "-5";
    EXPECT_EQ(OrderChecks::impossibleAmounts(d).question(),
              "减免金额 -5 小于 0。\r\n\r\n是否继续？");
}

TEST(OrderTime, ThreeFormats) {
    const DateTime t{2017, 5, 15, 9, 5, 42};
    EXPECT_EQ(OrderTime::format(t, 0), "05-15 09:05");
    EXPECT_EQ(OrderTime::format(t, 1), "2017/05/15 09:05");
    EXPECT_EQ(OrderTime::format(t, 2), "2017-05-15 09:05");
    EXPECT_EQ(OrderTime::format(t, 7), "05-15 09:05");
    EXPECT_EQ(OrderTime::format({2000, 12, 30, 23, 59, 0}, 2), "2000-12-30 23:59");
}
