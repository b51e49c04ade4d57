#include "history/PagedList.h"
#include "history/HistoryFilter.h"
#include "support/TestDatabase.h"

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
        {K::ChangeRecords, " and 操作 = '删除订单'",
         "select count(*) from 操作记录 where 操作 = '删除订单'",
         "select top 50 * from (select top 450 * from 操作记录 where 操作 = '删除订单' order by "
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

class PagedListOnDatabase : public OnBothEngines {
  protected:
    TestDatabase data{GetParam(), TestDatabase::Start::Template};
    PagedList list{PagedList::Kind::Orders};

    // Pages -1 (the last) and 1 to `last` are the same found by key as read
    // directly.
    void expectKeyedPagesAsRead(int last, const std::string& label) {
        for (int requested = -1; requested <= last; ++requested) {
            if (requested == 0)
                continue;
            int direct = requested;
            list.setDirectWindowLimit(1000);
            const PagedList::Page expected = *list.showPage(data.db, direct);
            int keyed = requested;
            list.setDirectWindowLimit(0);
            const PagedList::Page found = *list.showPage(data.db, keyed);
            EXPECT_EQ(found.rows, expected.rows) << label << " page " << requested;
            EXPECT_EQ(found.count, expected.count) << label;
            EXPECT_EQ(keyed, direct);
        }
    }
};

INSTANTIATE_TEST_SUITE_P(Engines, PagedListOnDatabase, bothEngines, engineName);

TEST_P(PagedListOnDatabase, EmptyTableShowsPageZeroAndClearsTheList) {
    int page = 1;
    const PagedList::Page shown = *list.showPage(data.db, page);
    EXPECT_EQ(page, 0);
    EXPECT_TRUE(shown.listCleared);
    EXPECT_TRUE(shown.pageShown);
    EXPECT_EQ(shown.pageCount, 0);
    EXPECT_TRUE(shown.rows.empty());
    EXPECT_TRUE(shown.browsingAll);
}

TEST_P(PagedListOnDatabase, InvalidRequestsRefreshOnlyTheTotals) {
    data.addOrders(3);
    for (int requested : {0, -2, -100}) {
        int page = requested;
        const PagedList::Page shown = *list.showPage(data.db, page);
        EXPECT_EQ(page, requested);
        EXPECT_FALSE(shown.pageShown);
        EXPECT_FALSE(shown.listCleared);
        EXPECT_EQ(shown.count, 3);
    }
}

TEST_P(PagedListOnDatabase, RowsComeOldestFirstWithTheDateOnly) {
    data.addOrder({.time = "2017-05-15 12:30:00", .table = "A1"});
    data.addOrder({.time = "2018-01-02 08:00:00", .telephone = "13800000000", .address = "北街"});
    int page = 1;
    const PagedList::Page shown = *list.showPage(data.db, page);
    ASSERT_EQ(shown.rows.size(), 2u);
    EXPECT_EQ(shown.rows[0][2], "2017年5月15日");
    EXPECT_EQ(shown.rows[0][5], "A1");
    EXPECT_EQ(shown.rows[1][2], "2018年1月2日");
    EXPECT_EQ(shown.rows[1][6], "13800000000");
    EXPECT_EQ(shown.rows[1][8], "北街");
    EXPECT_LT(std::stoll(shown.rows[0][0]), std::stoll(shown.rows[1][0]));
}

TEST_P(PagedListOnDatabase, LargeWindowsFindTheSamePagesByTheirLastId) {
    std::vector<long long> ids;
    for (int i = 0; i < 40; ++i)
        ids.push_back(data.addOrder({.table = i % 3 ? "A1" : "", .address = i % 2 ? "北街" : ""}));
    // Gaps in the IDs, at the start and in the middle.
    for (int i : {0, 1, 17, 18, 19, 30})
        data.execute("Delete * from 存单 where ID=" + std::to_string(ids[i]));

    const std::string fragments[] = {"", HistoryFilter::dineIn().fragment,
                                     HistoryFilter::takeOut().fragment,
                                     " and 桌号 = 'A1' or 地址 = '北街'"};
    for (const std::string& fragment : fragments) {
        list.setConditionFragment(fragment);
        list.setPageSize(3);
        expectKeyedPagesAsRead(14, fragment);
    }
}

// Orders around midnights, at three tills (one never named), with IDs in
// several runs of the kept counts: every page of every filter is the same
// found by key as read directly, the last partial page too.
TEST_P(PagedListOnDatabase, KeptFiltersFindTheSamePagesAcrossRunsAndMidnights) {
    const char* times[] = {"2017-05-14 23:59:59", "2017-05-15 00:00:00", "2017-05-15 12:30:00",
                           "2017-05-16 00:00:00", "2017-05-16 00:00:01", "2017-05-20 18:00:00",
                           "2017-05-21 00:00:00"};
    const char* tills[] = {"一号机", "", "二号机"};
    const long long ids[] = {1023, 1024, 1025, 2047, 2048, 5000, 70000};
    for (int i = 0; i < 60; ++i) {
        const std::string id = i < 30 ? "" : std::to_string(ids[i % 7] + i);
        data.execute("insert into 存单 (" + std::string(id.empty() ? "" : "ID,") +
                     "编号,时间,合计,实付,桌号,地址,收银台) values (" + (id.empty() ? "" : id + ",") +
                     "1,'" + times[i % 7] + "',12,10,'" + (i % 3 ? "A1" : "") + "','" +
                     (i % 2 ? "北街" : "") + "'," + (i % 5 == 4 ? "null" : std::string("'") + tills[i % 3] + "'") + ")");
    }
    const DateTime may15{2017, 5, 15, 0, 0, 0}, may20{2017, 5, 20, 0, 0, 0};
    const HistoryFilter filters[] = {HistoryFilter::all(), HistoryFilter::dineIn(),
                                     HistoryFilter::takeOut(), HistoryFilter::day(may15),
                                     *HistoryFilter::period(may15, may20),
                                     HistoryFilter::customer("")};
    const std::optional<std::string> tillChoices[] = {std::nullopt, "一号机", "", "三号机"};
    list.setPageSize(4);
    for (const HistoryFilter& base : filters)
        for (const auto& till : tillChoices) {
            const HistoryFilter filter = base.atTill(till);
            list.setOrderFilter(filter);
            int last = -1;
            list.setDirectWindowLimit(1000);
            const int pages = list.showPage(data.db, last)->pageCount;
            expectKeyedPagesAsRead(pages + 1, filter.caption);
        }
}

// A day's window runs from after its midnight up to and including the next:
// the sums kept per day give the same totals as the rows they stand for.
TEST_P(PagedListOnDatabase, TotalsFromTheKeptSumsAreThoseOfTheRows) {
    const char* times[] = {"2017-05-14 23:59:59", "2017-05-15 00:00:00", "2017-05-15 12:30:00",
                           "2017-05-16 00:00:00", "2017-05-16 00:00:01", "2017-05-20 18:00:00",
                           "2017-05-21 00:00:00"};
    int i = 0;
    for (const char* time : times) {
        const std::string paid = std::to_string(10 + i) + ".5";
        const long long id =
            data.addOrder({.time = time, .total = std::to_string(20 + i), .paid = paid,
                           .table = i % 2 ? "A1" : "", .address = i % 3 ? "北街" : ""});
        if (i % 3)
            data.execute("update 存单 set 收银台='一号机' where ID=" + std::to_string(id));
        ++i;
    }
    const DateTime may15{2017, 5, 15, 0, 0, 0}, may20{2017, 5, 20, 0, 0, 0};
    const HistoryFilter filters[] = {HistoryFilter::all(), HistoryFilter::dineIn(),
                                     HistoryFilter::takeOut(), HistoryFilter::day(may15),
                                     *HistoryFilter::period(may15, may20),
                                     HistoryFilter::customer("")};
    for (const HistoryFilter& base : filters)
      for (const auto& till : {std::optional<std::string>(), std::optional<std::string>("一号机"),
                               std::optional<std::string>("")}) {
        const HistoryFilter filter = base.atTill(till);
        list.setOrderFilter(filter);
        int page = 0;
        const PagedList::Page kept = *list.showPage(data.db, page);
        const std::string where = filter.fragment.empty() ? "" : " where" + filter.fragment.substr(4);
        const auto rows =
            data.db.read("select count(*),sum(实付),sum(合计) from 存单" + where);
        ASSERT_TRUE(rows) << data.db.lastError();
        EXPECT_EQ(kept.count, (*rows)[0].at(0).toInt()) << filter.caption;
        EXPECT_EQ(kept.paidSum, Money::fromYuan((*rows)[0].at(1).toNumber())) << filter.caption;
        EXPECT_EQ(kept.totalSum, Money::fromYuan((*rows)[0].at(2).toNumber())) << filter.caption;
    }
    list.setOrderFilter(HistoryFilter::day(may15));
    int page = 1;
    EXPECT_EQ(list.showPage(data.db, page)->count, 2) << "12:30 and the midnight that ends the day";
}

TEST(PagedListKeyedStatements, KeepTheFragmentApartFromTheKey) {
    PagedList list(PagedList::Kind::Customers);
    list.setConditionFragment(" and 姓名='李' or 电话='李'");
    EXPECT_EQ(list.keyedPageStatement(200, 5120),
              "select top 200 * from 客户 where [id] <= 5120 and ( 姓名='李' or 电话='李') order "
              "by [id] desc");
    EXPECT_EQ(list.rankedIdStatement(7, true),
              "select min([id]) from (select top 7 [id] from 客户 where 姓名='李' or 电话='李' "
              "order by [id] desc)");
    EXPECT_EQ(list.runPageStatement(200, 30, 4096, 6144),
              "select * from 客户 where [id] >= 4096 and [id] < 6144 and ( 姓名='李' or "
              "电话='李') order by [id] limit 200 offset 30");
    EXPECT_EQ(list.boundStatement(false),
              "select min([id]) from 客户 where 姓名='李' or 电话='李'");
}

} // namespace
