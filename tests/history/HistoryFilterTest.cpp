#include "history/HistoryFilter.h"
#include "history/ChangeLogFilter.h"

#include <gtest/gtest.h>

namespace {

TEST(HistoryFilter, FragmentsAndCaptions) {
    const DateTime may15{2017, 5, 15, 0, 0, 0};
    const DateTime may31{2017, 5, 31, 0, 0, 0};
    const std::pair<HistoryFilter, HistoryFilter> cases[] = {
        {HistoryFilter::all(), {"", "正在浏览全部数据"}},
        {HistoryFilter::dineIn(), {" and 桌号 <> ''", "正在浏览店内数据"}},
        {HistoryFilter::takeOut(), {" and 地址 <> ''", "正在浏览外卖数据"}},
        {HistoryFilter::day(may15),
         {" and 时间>cdate('2017年5月15日') and 时间<=cdate('2017年5月16日')",
          "正在浏览：2017年5月15日 的数据"}},
        {*HistoryFilter::period(may15, may31),
         {" and 时间>cdate('2017年5月15日') and 时间<=cdate('2017年6月1日')",
          "正在浏览从：2017年5月15日到2017年5月31日 的数据"}},
        {HistoryFilter::customer("13800000000"),
         {" and 电话 = '13800000000'", "正在浏览客户：13800000000 的数据"}},
        {HistoryFilter::customer("it's"), {" and 电话 = 'it''s'", "正在浏览客户：it's 的数据"}},
        {HistoryFilter::all().atTill("一号机"),
         {" and 收银台 = '一号机'", "正在浏览全部数据（收银台：一号机）"}},
        {HistoryFilter::dineIn().atTill("it's"),
         {" and 桌号 <> '' and 收银台 = 'it''s'", "正在浏览店内数据（收银台：it's）"}},
        {HistoryFilter::day(may15).atTill(""),
         {" and 时间>cdate('2017年5月15日') and 时间<=cdate('2017年5月16日') and (收银台 is null "
          "or 收银台 = '')",
          "正在浏览：2017年5月15日 的数据（收银台：（未记录））"}},
        {HistoryFilter::takeOut().atTill(std::nullopt), {" and 地址 <> ''", "正在浏览外卖数据"}},
    };
    for (const auto& [made, expected] : cases) {
        EXPECT_EQ(made.fragment, expected.fragment);
        EXPECT_EQ(made.caption, expected.caption);
    }
}

TEST(HistoryFilter, PeriodRefusesAStartAfterTheEndButTakesOneDay) {
    const DateTime day{2017, 5, 15, 0, 0, 0};
    EXPECT_FALSE(HistoryFilter::period({2017, 5, 16, 0, 0, 0}, day));
    EXPECT_TRUE(HistoryFilter::period(day, day));
}

TEST(ChangeLogFilter, KindPeriodBothOrAll) {
    const DateTime may15{2017, 5, 15, 0, 0, 0};
    const DateTime may31{2017, 5, 31, 0, 0, 0};
    const std::string period = " and 时间>cdate('2017年5月15日') and 时间<=cdate('2017年6月1日')";
    using K = ChangeLog::Kind;
    const std::pair<ChangeLogFilter, HistoryFilter> cases[] = {
        {{}, {"", "正在浏览全部操作记录"}},
        {{K::Edit, {}, {}}, {" and 操作 = '修改订单'", "正在浏览：修改订单 的记录"}},
        {{{}, may15, may31}, {period, "正在浏览从：2017年5月15日到2017年5月31日 的记录"}},
        {{K::PrintOnly, may15, may31},
         {period + " and 操作 = '打单未结算'",
          "正在浏览从：2017年5月15日到2017年5月31日 的打单未结算记录"}},
    };
    for (const auto& [filter, expected] : cases) {
        const std::optional<HistoryFilter> made = filter.condition();
        ASSERT_TRUE(made);
        EXPECT_EQ(made->fragment, expected.fragment);
        EXPECT_EQ(made->caption, expected.caption);
    }
    EXPECT_FALSE((ChangeLogFilter{K::Deletion, may31, may15}.condition()));
}

TEST(ChangeLogFilter, ChangedLinesMarkOnlyWhatAnEditChanged) {
    const ChangedLines edit = ChangedLines::of("编号：1\n合计：10\n菜品：1 行\n",
                                               "编号：1\n合计：12\n菜品：2 行\n鱼  1份  2\n");
    EXPECT_EQ(edit.before, (std::vector<bool>{false, true, true}));
    EXPECT_EQ(edit.after, (std::vector<bool>{false, true, true, true}));
    const ChangedLines deletion = ChangedLines::of("编号：1\n合计：10\n", "");
    EXPECT_EQ(deletion.before, (std::vector<bool>{false, false}));
    EXPECT_TRUE(deletion.after.empty());
}

TEST(HistoryFilter, NextDayCrossesMonthsYearsAndLeapDays) {
    const std::pair<DateTime, DateTime> cases[] = {
        {{2017, 5, 15, 9, 30, 0}, {2017, 5, 16, 0, 0, 0}},
        {{2017, 5, 31, 0, 0, 0}, {2017, 6, 1, 0, 0, 0}},
        {{2017, 12, 31, 0, 0, 0}, {2018, 1, 1, 0, 0, 0}},
        {{2016, 2, 28, 0, 0, 0}, {2016, 2, 29, 0, 0, 0}},
        {{2017, 2, 28, 0, 0, 0}, {2017, 3, 1, 0, 0, 0}},
    };
    for (const auto& [day, next] : cases)
        EXPECT_EQ(nextDay(day), next);
}

} // namespace
