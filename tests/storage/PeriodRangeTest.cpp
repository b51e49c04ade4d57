#include "storage/dialect/PeriodRange.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

TEST(PeriodRange, ConditionsOnTheColumnItself) {
    const struct {
        const char* pattern;
        const char* op;
        const char* value;
        const char* expected;
    } cases[] = {
        {"yyyy", "=", "2017", "(时间>='2017-' and 时间<'2017-~')"},
        {"yyyy-mm", "=", "2017-05", "(时间>='2017-05-' and 时间<'2017-05-~')"},
        {"yyyy-mm-dd", "=", "2017-05-08", "(时间>='2017-05-08 ' and 时间<'2017-05-08 ~')"},
        {"yyyy-mm", ">=", "2017-10", "时间>='2017-10-'"},
        {"yyyy-mm", "<", "2017-13", "时间<'2017-13-'"},
        {"yyyy-mm", ">", "2017-10", "时间>='2017-10-~'"},
        {"yyyy-mm", "<=", "2017-10", "时间<'2017-10-~'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PeriodRange::condition("时间", c.pattern, c.op, c.value), c.expected)
            << c.pattern << c.op << c.value;
}

TEST(PeriodRange, LeavesWhatItCannotMatchExactly) {
    const struct {
        const char* pattern;
        const char* op;
        const char* value;
    } cases[] = {
        {"yyyy", "<>", "2017"},
        {"yyyy", "=", "17"},
        {"yyyy-mm", "=", "2017-5"},
        {"yyyy-mm", "=", "2017'05"},
        {"yyyy年m月d日", "=", "2017年5月8日"},
        {"yyyy", "=", "20a7"},
        {"yyyy-mm-dd", "=", "2017-05-08 "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PeriodRange::condition("时间", c.pattern, c.op, c.value), std::nullopt)
            << c.pattern << c.op << c.value;
}

// The rewritten statements must find exactly the rows the plain prefix
// comparison finds; the bracketed form below is left as a prefix comparison.
class PeriodRangeStatements : public ::testing::Test, public TestDatabase {
  protected:
    void SetUp() override {
        ASSERT_TRUE(db.begin());
        for (const char* time :
             {"2016-12-31 23:59:59", "2017-01-01 00:00:00", "2017-04-30 23:59:59",
              "2017-05-01 00:00:00", "2017-05-08 00:00:00", "2017-05-08 23:59:59",
              "2017-05-31 23:59:59", "2017-06-01 00:00:00", "2017-09-30 23:59:59",
              "2017-10-01 00:00:00", "2017-12-31 23:59:59", "2018-01-01 00:00:00"})
            ASSERT_TRUE(db.ExecuteSql(std::string("insert into 存单 (时间,实付) values ('") + time +
                                      "',1)"));
        ASSERT_TRUE(db.commit());
    }
    int count(const std::string& where) {
        return TestDatabase::count("select count(*) from 存单 where " + where);
    }
};

TEST_F(PeriodRangeStatements, FindTheSameRowsAsThePrefixComparison) {
    const struct {
        const char* condition;
        int expected;
    } cases[] = {
        {"format(时间,'yyyy')='2017'", 10},
        {"format(时间,'yyyy-mm')='2017-05'", 4},
        {"format(时间,'yyyy-mm-dd')='2017-05-08'", 2},
        {"format(时间,'yyyy-mm')>='2017-10' and format(时间,'yyyy-mm')<'2017-13'", 2},
        {"format(时间,'yyyy-mm')>'2017-05' and format(时间,'yyyy-mm')<='2017-09'", 2},
        {"format(时间,'yyyy')='2017' or format(时间,'yyyy')='2018'", 11},
        {"not format(时间,'yyyy')='2017'", 2},
    };
    for (const auto& c : cases) {
        std::string bracketed = c.condition;
        for (std::size_t at = 0; (at = bracketed.find("format(", at)) != std::string::npos;) {
            bracketed.insert(at, "(");
            at = bracketed.find(')', at) + 1;
            bracketed.insert(at, ")");
        }
        EXPECT_EQ(count(c.condition), c.expected) << c.condition;
        EXPECT_EQ(count(bracketed), c.expected) << bracketed;
    }
}

TEST_F(PeriodRangeStatements, RewritesOnlyConditionsThatStandAlone) {
    std::string sql;
    ASSERT_TRUE(db.translate("select count(*),format(时间,'yyyy-mm'),sum(实付) from 存单 where "
                             "format(时间,'yyyy')='2017'  group by format(时间,'yyyy-mm')",
                             sql));
    EXPECT_EQ(sql, "select count(*),substr(时间,1,7),sum(实付) from 存单 where "
                   "(时间>='2017-' and 时间<'2017-~')  group by substr(时间,1,7) ORDER BY "
                   "substr(时间,1,7)");
    ASSERT_TRUE(
        db.translate("select count(*) from 存单 where format(时间,'yyyy')='20' || '17'", sql));
    EXPECT_EQ(sql.find("时间>="), std::string::npos);
}

} // namespace
