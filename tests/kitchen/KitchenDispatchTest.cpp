#include "kitchen/KitchenDispatch.h"

#include "catalogue/StationList.h"
#include "printer/PrintSpooler.h"
#include "support/EscPosReader.h"
#include "support/PrinterListener.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

class KitchenDispatchTest : public OnBothEngines {
  protected:
    void addRows() override {
        addStation("厨房", kitchen.connection());
        addStation("吧台", bar.connection());
        data.execute("update 菜单 set 出品部门 = '厨房' where 代码 in ('005','015')");
        data.execute("update 菜单 set 出品部门 = '吧台' where 代码 = '105'");
        id = data.addOrder({.table = "号牌 3", .remark = "少辣", .number = "12"});
        data.addLine(id, "2017-05-15 12:30:00", "白菜肉水饺", "2", "31");
        data.addLine(id, "2017-05-15 12:30:00", "王老吉", "1", "3.5");
        data.addLine(id, "2017-05-15 12:30:00", "红烧排骨饭", "1", "18");
    }
    void addStation(const std::string& name, const std::string& connection) {
        const auto input = StationList::fromFields(name, connection, "文字", "1", "58");
        ASSERT_EQ(input.refusal, "");
        ASSERT_EQ(StationList(data.db).add(input.station, {}).kind, ListOutcome::Kind::Done);
    }

    // The printed text of the listener's next job, line by line.
    static std::string ticketText(PrinterListener& printer) {
        std::string text;
        for (const auto& line : EscPosReader(printer.nextJob()).all(EscPosReader::Kind::Line))
            text += line.text + "\n";
        return text;
    }
    static void awaitAll(const KitchenDispatch::Outcome& outcome) {
        for (const auto& job : outcome.jobs)
            if (job.job)
                job.job->waitFor(5s);
    }
    std::vector<Row> records() {
        return data.rows("select * from 操作记录 order by ID", {"操作", "存单ID", "编号"});
    }
    static bool holds(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }

    TestDatabase data{GetParam(), TestDatabase::Start::Template};
    PrinterListener kitchen, bar;
    PrintSpooler spooler{PrintLimits{
        .lookup = 500ms, .connect = 500ms, .status = 100ms, .stall = 500ms, .job = 3000ms}};
    KitchenDispatch dispatch{data.db, spooler, {}};
    long long id = 0;
};

INSTANTIATE_TEST_SUITE_P(Engines, KitchenDispatchTest, bothEngines, engineName);

TEST_P(KitchenDispatchTest, EachStationGetsItsDishesOnceAndNothingAboutMoney) {
    const auto outcome = dispatch.sendStored(id, {});
    ASSERT_EQ(outcome.problem, "");
    ASSERT_EQ(outcome.jobs.size(), 2u);
    const std::string text = ticketText(kitchen);
    for (const char* part : {"厨房", "单号：12", "桌号：号牌 3", "白菜肉水饺 2份", "备注：少辣"})
        EXPECT_TRUE(holds(text, part)) << part << "\n" << text;
    for (const char* elsewhere : {"王老吉", "红烧排骨饭", "31", "15.5"})
        EXPECT_FALSE(holds(text, elsewhere)) << elsewhere << "\n" << text;
    EXPECT_TRUE(holds(ticketText(bar), "王老吉 1份"));
    awaitAll(outcome);
    EXPECT_EQ(
        records(),
        (std::vector<Row>{{{"操作", "厨房单"}, {"存单ID", std::to_string(id)}, {"编号", "12"}},
                          {{"操作", "厨房单"}, {"存单ID", std::to_string(id)}, {"编号", "12"}}}));

    EXPECT_TRUE(dispatch.sendStored(id, {}).jobs.empty()) << "sent once";
    EXPECT_EQ(records().size(), 2u);
}

TEST_P(KitchenDispatchTest, AnEditSendsOnlyWhatChangedAndAReprintSendsItAllAgain) {
    awaitAll(dispatch.sendStored(id, {}));
    ticketText(kitchen);
    ticketText(bar);
    data.addLine(id, "2017-05-15 12:30:00", "酸菜鱼", "1", "16");
    ASSERT_EQ(dispatch.sendStored(id, {}).jobs.size(), 1u);
    const std::string added = ticketText(kitchen);
    EXPECT_TRUE(holds(added, "加菜")) << added;
    EXPECT_TRUE(holds(added, "【加】酸菜鱼 1份")) << added;
    EXPECT_FALSE(holds(added, "白菜肉水饺")) << added;

    data.execute("delete from 存单详单 where 菜名 = '白菜肉水饺'");
    ASSERT_EQ(dispatch.sendStored(id, {}).jobs.size(), 1u);
    const std::string removed = ticketText(kitchen);
    EXPECT_TRUE(holds(removed, "【退】白菜肉水饺")) << removed;
    EXPECT_TRUE(holds(removed, "退菜")) << removed;
    EXPECT_FALSE(holds(removed, "酸菜鱼")) << removed;

    const auto again = dispatch.reprint(id);
    ASSERT_EQ(again.jobs.size(), 2u);
    const std::string reprinted = ticketText(kitchen);
    EXPECT_TRUE(holds(reprinted, "补打")) << reprinted;
    EXPECT_TRUE(holds(reprinted, "酸菜鱼 1份")) << reprinted;
    awaitAll(again);
    EXPECT_EQ(data.count("select count(*) from 操作记录 where 操作 = '补打厨房单'"), 2);
}

TEST_P(KitchenDispatchTest, AnOrderStoredBeforeTicketsTakesItsLinesBeforeTheEditAsSent) {
    const std::vector<KitchenLine> before = *dispatch.stationLines(id);
    data.addLine(id, "2017-05-15 12:30:00", "酸菜鱼", "1", "16");
    ASSERT_EQ(dispatch.sendStored(id, before).jobs.size(), 1u);
    const std::string text = ticketText(kitchen);
    EXPECT_TRUE(holds(text, "【加】酸菜鱼")) << text;
    EXPECT_FALSE(holds(text, "白菜肉水饺")) << text;
}

TEST_P(KitchenDispatchTest, WhatWasSentBeforeTheOrderWasStoredIsNotSentAgain) {
    KitchenOrder unstored{
        0, "12", "号牌 3", "", {{"", "白菜肉水饺", 2, "份"}, {"", "王老吉", 1, "份"}}};
    std::vector<KitchenLine> sent;
    awaitAll(dispatch.sendUnstored(unstored, sent));
    EXPECT_EQ(sent.size(), 2u);
    EXPECT_TRUE(dispatch.sendUnstored(unstored, sent).jobs.empty());
    const auto stored = dispatch.sendStored(id, sent);
    ASSERT_EQ(stored.jobs.size(), 0u) << "the stored order has what was printed";
    EXPECT_EQ(data.count("select count(*) from 厨房已送 where 存单ID = " + std::to_string(id)), 2);
}

TEST_P(KitchenDispatchTest, AStationThatRefusesIsReportedAndRecordedWithoutHoldingUpTheOthers) {
    const PrinterListener::RefusingPort refusing;
    data.execute("update 出品部门 set 打印机连接 = '" + refusing.connection() +
                 "' where 名称 = '厨房'");
    const auto outcome = dispatch.sendStored(id, {});
    ASSERT_EQ(outcome.jobs.size(), 2u);
    EXPECT_TRUE(holds(ticketText(bar), "王老吉"));
    const auto& failed = outcome.jobs[0];
    EXPECT_EQ(failed.station, "厨房");
    ASSERT_EQ(failed.job->waitFor(5s), PrintJob::State::Failed);
    ASSERT_TRUE(dispatch.recordFailure(failed, failed.job->problem()));
    EXPECT_EQ(data.scalar("select 新内容 from 操作记录 where 操作 = '厨房单未打印'"),
              "厨房：" + failed.job->problem());
}

TEST_P(KitchenDispatchTest, DeletingAStationClearsItFromItsDishesAndRenamingCarriesThemAlong) {
    StationList stations(data.db);
    EXPECT_EQ(*stations.dishCount("厨房"), 2);
    const auto renamed = StationList::fromFields("热菜", kitchen.connection(), "图像", "2", "80");
    ASSERT_EQ(stations.modify("厨房", renamed.station, *stations.load()).kind,
              ListOutcome::Kind::Done);
    EXPECT_EQ(data.count("select count(*) from 菜单 where 出品部门 = '热菜'"), 2);
    EXPECT_EQ(*stations.dishCount("厨房"), 0);
    ASSERT_TRUE(stations.remove("热菜"));
    EXPECT_EQ(data.count("select count(*) from 菜单 where 出品部门 = '热菜'"), 0);
    EXPECT_EQ(data.count("select count(*) from 出品部门"), 1);
}

TEST_P(KitchenDispatchTest, OnAServerAStationTakesANetworkPrinterOnly) {
    const auto device = StationList::fromFields("凉菜", "/dev/usb/lp0", "文字", "1", "80");
    ASSERT_EQ(device.refusal, "");
    const ListOutcome outcome =
        StationList(data.db).add(device.station, *StationList(data.db).load());
    if (data.db.isServer()) {
        EXPECT_EQ(outcome.kind, ListOutcome::Kind::Refused);
        EXPECT_TRUE(holds(outcome.message, "dev:/dev/usb/lp0")) << outcome.message;
    } else {
        EXPECT_EQ(outcome.kind, ListOutcome::Kind::Done);
    }
}

} // namespace
