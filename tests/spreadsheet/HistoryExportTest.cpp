#include "SpreadsheetTest.h"

#include "history/HistoryFilter.h"
#include "history/PagedList.h"
#include "spreadsheet/HistoryExport.h"
#include "spreadsheet/XlsxTableWriter.h"

namespace {

class HistoryExportTest : public SpreadsheetTest {
  protected:
    void SetUp() override {
        const long long first = addOrder({"2017-05-15 12:30:00", "15.5", "15", "A3"});
        addLine(first, "2017-05-15 12:30:00", "红烧排骨饭");
        addLine(first, "2017-05-15 12:31:05", "老王's 汤");
        const long long takeOut =
            addOrder({"2017-05-16 18:00:00", "40", "40", "", "13800000000", "白云路 12 号, 3楼"});
        addLine(takeOut, "2017-05-16 18:00:00", "干煸四季豆");
        const long long last = addOrder({"2017-05-17 09:05:00", "8.5", "8", "B1"});
        addLine(last, "2017-05-17 09:05:00", "=SUM(A1)");
        orders.setConditionFragment(HistoryFilter::dineIn().fragment);
    }

    PagedList orders{PagedList::Kind::Orders};
};

TEST_F(HistoryExportTest, WorkbookHoldsEveryMatchingOrderAndItsLinesWithTheirTypes) {
    const std::string path = file("历史订单.xlsx");
    ASSERT_EQ(HistoryExport(db, orders).toFile(path, {}), WriteResult::Written);
    const auto dumped = dump(path);
    EXPECT_EQ(facts(dumped, "sheet\t"), (std::vector<std::string>{"订单", "明细"}));
    // Phone and address of dine-in orders are empty and so are not cells at all.
    EXPECT_EQ(facts(dumped, "cell\t订单\t"), (std::vector<std::string>{"A1\ts\tID",
                                                                       "B1\ts\t编号",
                                                                       "C1\ts\t时间",
                                                                       "D1\ts\t合计",
                                                                       "E1\ts\t实付",
                                                                       "F1\ts\t桌号",
                                                                       "G1\ts\t电话",
                                                                       "H1\ts\t姓名",
                                                                       "I1\ts\t地址",
                                                                       "A2\tn\t1",
                                                                       "B2\tn\t1",
                                                                       "C2\td\t2017-05-15 12:30:00",
                                                                       "D2\tn\t15.5",
                                                                       "E2\tn\t15",
                                                                       "F2\ts\tA3",
                                                                       "H2\ts\t张三",
                                                                       "A3\tn\t3",
                                                                       "B3\tn\t1",
                                                                       "C3\td\t2017-05-17 09:05:00",
                                                                       "D3\tn\t8.5",
                                                                       "E3\tn\t8",
                                                                       "F3\ts\tB1",
                                                                       "H3\ts\t张三"}));
    EXPECT_EQ(facts(dumped, "cell\t明细\t"),
              (std::vector<std::string>{"A1\ts\t订单ID",     "B1\ts\t销售时间",
                                        "C1\ts\t菜名",       "D1\ts\t数量",
                                        "E1\ts\t单位",       "F1\ts\t小计",
                                        "A2\tn\t1",          "B2\td\t2017-05-15 12:30:00",
                                        "C2\ts\t红烧排骨饭", "D2\tn\t2",
                                        "E2\ts\t份",         "F2\tn\t30",
                                        "A3\tn\t1",          "B3\td\t2017-05-15 12:31:05",
                                        "C3\ts\t老王's 汤",  "D3\tn\t2",
                                        "E3\ts\t份",         "F3\tn\t30",
                                        "A4\tn\t3",          "B4\td\t2017-05-17 09:05:00",
                                        "C4\ts\t=SUM(A1)",   "D4\tn\t2",
                                        "E4\ts\t份",         "F4\tn\t30"}));
}

TEST_F(HistoryExportTest, CsvFilesAreUtf8WithAByteOrderMark) {
    orders.setConditionFragment(HistoryFilter::takeOut().fragment);
    const std::string path = file("外卖.csv");
    ASSERT_EQ(HistoryExport(db, orders).toFile(path, {}), WriteResult::Written);
    EXPECT_EQ(bytes(path),
              "\xEF\xBB\xBF"
              "ID,编号,时间,合计,实付,桌号,电话,姓名,地址\r\n"
              "2,1,2017-05-16 18:00:00,40,40,,13800000000,张三,\"白云路 12 号, 3楼\"\r\n");
    EXPECT_EQ(bytes(file("外卖_明细.csv")), "\xEF\xBB\xBF"
                                            "订单ID,销售时间,菜名,数量,单位,小计\r\n"
                                            "2,2017-05-16 18:00:00,干煸四季豆,2,份,30\r\n");
}

TEST_F(HistoryExportTest, CsvTextThatLooksLikeAFormulaStaysText) {
    const std::string path = file("店内.csv");
    ASSERT_EQ(HistoryExport(db, orders).toFile(path, {}), WriteResult::Written);
    EXPECT_NE(bytes(file("店内_明细.csv")).find("\r\n3,2017-05-17 09:05:00,'=SUM(A1),2,份,30\r\n"),
              std::string::npos);
}

// Five rows (two orders, three lines) and a tenth more for packing the file.
TEST_F(HistoryExportTest, ACancelBeforeTheRowsOrWhilePackingLeavesTheOldFile) {
    for (const std::string name : {"旧.xlsx", "旧.csv"})
        for (const long long cancelAt : {0, 5}) {
            SCOPED_TRACE(name + " " + std::to_string(cancelAt));
            writeBytes(file(name), "old");
            std::vector<long long> told;
            const auto cancel = [&](long long done, long long total) {
                EXPECT_EQ(total, 6);
                told.push_back(done);
                return done < cancelAt;
            };
            EXPECT_EQ(HistoryExport(db, orders).toFile(file(name), cancel), WriteResult::Cancelled);
            EXPECT_EQ(bytes(file(name)), "old");
            EXPECT_EQ(told.back(), cancelAt);
        }
    EXPECT_EQ(files(), (std::vector<std::string>{"旧.csv", "旧.xlsx"}));
}

TEST_F(HistoryExportTest, AFolderThatCannotTakeTheFileFails) {
    EXPECT_EQ(HistoryExport(db, orders).toFile(file("无此目录/历史.xlsx"), {}),
              WriteResult::Failed);
    EXPECT_EQ(HistoryExport(db, orders).toFile(file("无此目录/历史.csv"), {}), WriteResult::Failed);
}

TEST_F(HistoryExportTest, ATableLongerThanASheetGoesOnInFurtherSheets) {
    const std::string path = file("长.xlsx");
    XlsxTableWriter writer(path, 3);
    writer.startTable("明细", {{"数量"}});
    for (int i = 1; i <= 5; ++i) {
        writer.number(i);
        writer.endRow();
    }
    ASSERT_EQ(writer.finish(), WriteResult::Written);
    const auto dumped = dump(path);
    EXPECT_EQ(facts(dumped, "sheet\t"), (std::vector<std::string>{"明细", "明细2", "明细3"}));
    EXPECT_EQ(facts(dumped, "cell\t明细3\t"),
              (std::vector<std::string>{"A1\ts\t数量", "A2\tn\t5"}));
}

} // namespace
