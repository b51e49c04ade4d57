#include "orders/OrderNumbering.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

class OrderNumbering : public ::testing::Test, public TestDatabase {
  protected:
    void addOrder(int number, const std::string& time, double paid) {
        execute("insert into 存单 (编号,时间,实付) values (" + std::to_string(number) + ",'" +
                time + "'," + std::to_string(paid) + ")");
    }
    void expectCounters(const DateTime& now, int next, const char* count, const char* income) {
        const TodayCounters counters = *nextOrderNumber(db, now);
        EXPECT_EQ(counters.nextNumber, next);
        EXPECT_EQ(counters.countCaption(), count);
        EXPECT_EQ(counters.incomeCaption(), income);
    }
};

} // namespace

TEST_F(OrderNumbering, FirstOrderOfTheDayIsOne) {
    addOrder(5, "2026-12-07 20:00", 10);
    expectCounters({2026, 12, 8, 9, 0, 0}, 1, "今日打单数量：0", "今日收入总额：0");
}

TEST_F(OrderNumbering, NumbersAreMaxPlusOneSoDeletedNumbersAreNotReused) {
    addOrder(1, "2026-12-08 09:00", 10);
    addOrder(2, "2026-12-08 09:10", 20);
    addOrder(3, "2026-12-08 09:20", 15);
    execute("Delete * from 存单 where 编号=2");
    expectCounters({2026, 12, 8, 12, 0, 0}, 4, "今日打单数量：2", "今日收入总额：25");
}

TEST_F(OrderNumbering, MidnightBelongsToTheDayBefore) {
    addOrder(7, "2026-12-09 00:00", 30);
    EXPECT_EQ(nextOrderNumber(db, {2026, 12, 8, 23, 0, 0})->nextNumber, 8);
    EXPECT_EQ(nextOrderNumber(db, {2026, 12, 9, 8, 0, 0})->nextNumber, 1);
}

TEST_F(OrderNumbering, DayBoundsCrossMonthsAndLeapDays) {
    struct Case {
        DateTime now;
        const char* start;
        const char* end;
    };
    const Case cases[] = {
        {{2026, 12, 31, 18, 0, 0}, "2026年12月31日", "2027年1月1日"},
        {{2024, 2, 28, 1, 0, 0}, "2024年2月28日", "2024年2月29日"},
        {{2023, 2, 28, 1, 0, 0}, "2023年2月28日", "2023年3月1日"},
        {{2026, 4, 30, 1, 0, 0}, "2026年4月30日", "2026年5月1日"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dayStartText(c.now), c.start);
        EXPECT_EQ(dayEndText(c.now), c.end);
    }
}

TEST_F(OrderNumbering, NewYearsEveOrdersStayInTheOldYear) {
    addOrder(2, "2026-12-31 23:30", 8);
    EXPECT_EQ(nextOrderNumber(db, {2026, 12, 31, 23, 45, 0})->nextNumber, 3);
    EXPECT_EQ(nextOrderNumber(db, {2027, 1, 1, 0, 5, 0})->nextNumber, 1);
}
