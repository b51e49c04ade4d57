#include "history/ChangeLog.h"
#include "history/StoredOrders.h"
#include "orders/OrderStore.h"
#include "shift/ShiftCalculator.h"
#include "shift/ShiftRecords.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>

namespace {

// Two cashiers' shifts on one till, then the day's close and its supplement.
// Each handover's expected cash is worked out by hand in the table.
class ShiftFiguresTest : public OnBothEngines {
  public:
    enum class Act { Order, DemoOrder, Edit, Delete, PrintOnly, Handover, DayClose };
    struct Step {
        Act act;
        const char* cashier;
        const char* order; // the order's name in the table
        const char* method;
        const char* paid;
        // A closing step: its figures as worked out by hand.
        const char* expected = "";
        const char* counted = "";
        const char* left = "";
        int orders = 0;
        int deletions = 0;
        int edits = 0;
    };

  protected:
    OrderStore::Order order(const Step& step) {
        OrderStore::Order o;
        o.number = std::to_string(++number);
        o.time = "2026-12-08 12:30:00";
        o.total = step.paid;
        o.paid = step.paid;
        o.actuallyPaid = step.paid;
        o.paymentMethod = step.method;
        o.lines = {{"鱼香肉丝", "1", "份", step.paid}};
        return o;
    }

    void run(const Step& step) {
        data.db.setCashierName(step.cashier);
        switch (step.act) {
        case Act::Order:
        case Act::DemoOrder: {
            OrderStore::Order o = order(step);
            o.demo = step.act == Act::DemoOrder;
            ids[step.order] = OrderStore(data.db).insert(o);
            ASSERT_GT(ids[step.order], 0);
            return;
        }
        case Act::Edit:
            ASSERT_TRUE(OrderStore(data.db).replace(ids.at(step.order), order(step)));
            return;
        case Act::Delete:
            ASSERT_TRUE(StoredOrders(data.db).deleteOrder(std::to_string(ids.at(step.order))));
            return;
        case Act::PrintOnly:
            ASSERT_TRUE(ChangeLog(data.db).write({ChangeLog::Kind::PrintOnly, {}, "9", {}, {}}));
            return;
        case Act::Handover:
        case Act::DayClose:
            close(step);
            return;
        }
    }

    void close(const Step& step) {
        ShiftRecords records(data.db);
        const ReadResult<ShiftPeriod> period =
            step.act == Act::Handover ? records.nextHandover("前台", step.cashier)
                                      : records.nextDayClose(data.clock.now());
        ASSERT_TRUE(period);
        ReadResult<ShiftFigures> figures = ShiftCalculator(data.db).figures(*period);
        ASSERT_TRUE(figures);
        (*figures).counted = Money::fromText(step.counted);
        (*figures).left = Money::fromText(step.left);
        EXPECT_EQ(figures->expectedCash().text(), step.expected);
        EXPECT_EQ(figures->orders, step.orders);
        EXPECT_EQ(figures->deletions, step.deletions);
        EXPECT_EQ(figures->edits, step.edits);
        const ShiftRecords::Stored stored = records.store(*period, *figures);
        ASSERT_TRUE(stored.ok) << stored.message;
        closes.push_back(stored.record);
    }

    // Every record as stored, oldest first.
    std::vector<ShiftRecord> storedRecords() {
        const auto all = ShiftRecords(data.db).list("2000-01-01 00:00:00", "2100-01-01 00:00:00");
        EXPECT_TRUE(all);
        return all ? std::vector<ShiftRecord>(all->rbegin(), all->rend())
                   : std::vector<ShiftRecord>{};
    }

    void addRows() override { data.db.setTillName("前台"); }

    TestDatabase data{GetParam(), TestDatabase::Start::Template};
    std::map<std::string, long long> ids;
    std::vector<ShiftRecord> closes;
    int number = 0;
};

INSTANTIATE_TEST_SUITE_P(Engines, ShiftFiguresTest, bothEngines, engineName);

using A = ShiftFiguresTest::Act;
const ShiftFiguresTest::Step day[] = {
    {A::Order, "张三", "a", "现金支付", "30"},
    {A::Order, "张三", "b", "微信支付", "20"},
    {A::Order, "张三", "c", "现金支付", "15.5"},
    {A::Edit, "张三", "c", "现金支付", "12"}, // its own order: counts as it stands
    {A::DemoOrder, "张三", "x", "现金支付", "99"}, // invented: never in the drawer
    {A::PrintOnly, "张三", "", "", ""},
    // 0 float + 30 + 12
    {A::Handover, "张三", "", "", "", "42", "40", "20", 3, 0, 1},
    {A::Order, "李四", "d", "现金支付", "50"},
    {A::Delete, "李四", "a", "", ""},            // earlier cash order: -30
    {A::Edit, "李四", "b", "现金支付", "20"},    // WeChat became cash: +20
    {A::Edit, "李四", "c", "支付宝支付", "12"},  // cash became Alipay: -12
    {A::Order, "李四", "e", "支付宝支付", "8"},
    {A::Edit, "李四", "d", "现金支付", "45.5"}, // its own order
    {A::Delete, "李四", "e", "", ""},            // its own order, gone
    // 20 float + 45.5 - 30 + 20 - 12
    {A::Handover, "李四", "", "", "", "43.5", "43.5", "10", 1, 2, 3},
    // The day: b 20 cash, c 12 Alipay, d 45.5 cash; every change of the day's own orders.
    {A::DayClose, "李四", "", "", "", "65.5", "", "", 3, 2, 4},
    {A::Order, "李四", "f", "现金支付", "7.3"},
    {A::Edit, "李四", "b", "微信支付", "20"}, // closed order became WeChat: -20
    {A::DayClose, "李四", "", "", "", "-12.7", "", "", 1, 0, 1},
};

TEST_P(ShiftFiguresTest, ExpectedCashFollowsEveryChangeOfCash) {
    for (const Step& step : day) {
        SCOPED_TRACE(std::string(step.cashier) + " " + step.order + " " + step.expected);
        run(step);
        if (HasFatalFailure())
            return;
    }
    const std::vector<ShiftRecord> kept = storedRecords();
    ASSERT_EQ(kept.size(), closes.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        SCOPED_TRACE(kept[i].title());
        EXPECT_EQ(kept[i].title(), closes[i].title());
        EXPECT_EQ(kept[i].figures.expectedCash(), closes[i].figures.expectedCash());
        EXPECT_EQ(kept[i].figures.counted, closes[i].figures.counted);
        EXPECT_EQ(kept[i].figures.payments, closes[i].figures.payments);
        EXPECT_EQ(kept[i].period.cashier, closes[i].period.cashier);
    }
    EXPECT_EQ(kept[0].figures.payments,
              (std::vector<PaymentTotal>{{"现金支付", 2, Money::fromFen(4200)},
                                         {"微信支付", 1, Money::fromFen(2000)}}));
    EXPECT_EQ(kept[0].figures.printsOnly, 1);
    EXPECT_EQ(kept[1].figures.startingFloat, Money::fromFen(2000));
    EXPECT_EQ(kept[1].figures.difference(), Money());
    EXPECT_EQ(kept[3].title(), "日结补充 第2号（补第1号）");
}

TEST_P(ShiftFiguresTest, ASecondDayCloseIsRefusedNamingTheFirst) {
    data.db.setCashierName("");
    ShiftRecords records(data.db);
    const ReadResult<ShiftPeriod> first = records.nextDayClose(data.clock.now());
    ASSERT_TRUE(first);
    const ReadResult<ShiftFigures> figures = ShiftCalculator(data.db).figures(*first);
    ASSERT_TRUE(figures);
    ASSERT_TRUE(records.store(*first, *figures).ok);
    const ShiftRecords::Stored again = records.store(*first, *figures);
    EXPECT_FALSE(again.ok);
    EXPECT_EQ(again.message, ShiftRecords::closedMessage(1));
    EXPECT_EQ(data.count("select count(*) from 交班记录"), 1);
}

TEST(ShiftRecordsFailure, ARecordThatCannotBeStoredLeavesNothingAndSaysSo) {
    TestDatabase data{TestDatabase::Start::Template};
    ASSERT_EQ(sqlite3_exec(data.db.connection(),
                           "create trigger refuse before insert on 交班记录 begin "
                           "select raise(abort,'refused'); end",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    ShiftRecords records(data.db);
    const ReadResult<ShiftPeriod> period = records.nextHandover("前台", "");
    ASSERT_TRUE(period);
    const ReadResult<ShiftFigures> figures = ShiftCalculator(data.db).figures(*period);
    ASSERT_TRUE(figures);
    const ShiftRecords::Stored stored = records.store(*period, *figures);
    EXPECT_FALSE(stored.ok);
    EXPECT_NE(stored.message.find("什么也没有保存"), std::string::npos) << stored.message;
    EXPECT_EQ(data.count("select count(*) from 交班记录"), 0);
    EXPECT_FALSE(data.db.inTransaction());
}

} // namespace
