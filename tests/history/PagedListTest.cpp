#include "history/PagedList.h"
#include "history/HistoryDatabase.h"

#include <gtest/gtest.h>

namespace {

struct StatementCase {
    PagedList::Kind kind;
    std::string fragment;
    std::string totals;
    std::string page; // rows 50 of a window ending at 450
};

TEST(PagedListStatements, FollowTheFragmentForBothTables) {
    using K = PagedList::Kind;
    const StatementCase cases[] = {
        {K::Orders, "", "select count(*),sum(实付),sum(合计) from 存单",
         "select top 50 * from (select top 450 * from 存单 order by [id])order by [id] desc"},
        {K::Orders, " and 桌号 <> ''",
         "select count(*),sum(实付),sum(合计) from 存单 where 桌号 <> ''",
         "select top 50 * from (select top 450 * from 存单 where 桌号 <> '' order by [id])order by "
         "[id] desc"},
        {K::Customers, "", "select count(*) from 客户",
         "select top 50 * from (select top 450 * from 客户 order by [id])order by [id] desc"},
        {K::Customers, " and 姓名='李' or 电话='李'",
         "select count(*) from 客户 where 姓名='李' or 电话='李'",
         "select top 50 * from (select top 450 * from 客户 where 姓名='李' or 电话='李' order by "
         "[id])order by [id] desc"},
    };
    for (const StatementCase& c : cases) {
        PagedList list(c.kind);
        list.setConditionFragment(c.fragment);
        EXPECT_EQ(list.totalsStatement(), c.totals);
        EXPECT_EQ(list.pageStatement(50, 450), c.page);
    }
}

TEST(PagedListStatements, PageCountRoundsUpOnlyForARemainder) {
    const std::pair<long long, int> cases[] = {{0, 0},   {1, 1},   {199, 1}, {200, 1},
                                               {201, 2}, {400, 2}, {401, 3}, {450, 3}};
    for (const auto& [count, pages] : cases)
        EXPECT_EQ(PagedList::pageCountFor(count, 200), pages) << count;
}

class PagedListOnDatabase : public ::testing::Test {
  protected:
    HistoryDatabase data;
    PagedList list{PagedList::Kind::Orders};
};

TEST_F(PagedListOnDatabase, EmptyTableShowsPageZeroAndClearsTheList) {
    int page = 1;
    const PagedList::Page shown = list.showPage(data.db(), page);
    EXPECT_EQ(page, 0);
    EXPECT_TRUE(shown.listCleared);
    EXPECT_TRUE(shown.pageShown);
    EXPECT_EQ(shown.pageCount, 0);
    EXPECT_TRUE(shown.rows.empty());
    EXPECT_TRUE(shown.browsingAll);
}

TEST_F(PagedListOnDatabase, InvalidRequestsRefreshOnlyTheTotals) {
    data.addOrders(3);
    for (int requested : {0, -2, -100}) {
        int page = requested;
        const PagedList::Page shown = list.showPage(data.db(), page);
        EXPECT_EQ(page, requested);
        EXPECT_FALSE(shown.pageShown);
        EXPECT_FALSE(shown.listCleared);
        EXPECT_EQ(shown.count, 3);
    }
}

TEST_F(PagedListOnDatabase, RowsComeOldestFirstWithTheDateOnly) {
    data.addOrder({.time = "2017-05-15 12:30:00", .table = "A1"});
    data.addOrder({.time = "2018-01-02 08:00:00", .telephone = "13800000000", .address = "北街"});
    int page = 1;
    const PagedList::Page shown = list.showPage(data.db(), page);
    ASSERT_EQ(shown.rows.size(), 2u);
    EXPECT_EQ(shown.rows[0][2], "2017年5月15日");
    EXPECT_EQ(shown.rows[0][5], "A1");
    EXPECT_EQ(shown.rows[1][2], "2018年1月2日");
    EXPECT_EQ(shown.rows[1][6], "13800000000");
    EXPECT_EQ(shown.rows[1][8], "北街");
    EXPECT_LT(std::stoll(shown.rows[0][0]), std::stoll(shown.rows[1][0]));
}

} // namespace
