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
    ASSERT_TRUE(db.ExecuteSql("update 存单 set 备注 = '少辣', 减免金额 = 2 where ID = 1"));
    const std::string path = file("历史订单.xlsx");
    ASSERT_EQ(HistoryExport(db, orders).toFile(path, {}), WriteResult::Written);
    const auto dumped = dump(path);
    EXPECT_EQ(facts(dumped, "sheet\t"), (std::vector<std::string>{"订单", "明细"}));
    // Every column of both tables in the schema's order, linked by 存单ID;
    // empty texts (phone and address of dine-in orders) are not cells at all.
    EXPECT_EQ(facts(dumped, "cell\t订单\t"), (std::vector<std::string>{
                                                 "A1\ts\tID",
                                                 "B1\ts\t编号",
                                                 "C1\ts\t票头",
                                                 "D1\ts\t店铺名称",
                                                 "E1\ts\t时间",
                                                 "F1\ts\t减免",
                                                 "G1\ts\t减免份数",
                                                 "H1\ts\t减免金额",
                                                 "I1\ts\t合计",
                                                 "J1\ts\t支付方式",
                                                 "K1\ts\t已付",
                                                 "L1\ts\t实付",
                                                 "M1\ts\t桌号",
                                                 "N1\ts\t电话",
                                                 "O1\ts\t姓名",
                                                 "P1\ts\t地址",
                                                 "Q1\ts\t是否结算",
                                                 "R1\ts\t备注",
                                                 "S1\ts\t抹零金额",
                                                 "T1\ts\t收银台",
                                                 "U1\ts\t演示",
                                                 "V1\ts\t收银员",
                                                 "A2\tn\t1",
                                                 "B2\tn\t1",
                                                 "C2\ts\t票头",
                                                 "D2\ts\t店",
                                                 "E2\td\t2017-05-15 12:30:00",
                                                 "F2\ts\t无",
                                                 "G2\tn\t0",
                                                 "H2\tn\t2",
                                                 "I2\tn\t15.5",
                                                 "J2\ts\t现金支付",
                                                 "K2\tn\t15",
                                                 "L2\tn\t15",
                                                 "M2\ts\tA3",
                                                 "O2\ts\t张三",
                                                 "Q2\tn\t1",
                                                 "R2\ts\t少辣",
                                                 "U2\tn\t0",
                                                 "A3\tn\t3",
                                                 "B3\tn\t1",
                                                 "C3\ts\t票头",
                                                 "D3\ts\t店",
                                                 "E3\td\t2017-05-17 09:05:00",
                                                 "F3\ts\t无",
                                                 "G3\tn\t0",
                                                 "H3\tn\t0",
                                                 "I3\tn\t8.5",
                                                 "J3\ts\t现金支付",
                                                 "K3\tn\t8",
                                                 "L3\tn\t8",
                                                 "M3\ts\tB1",
                                                 "O3\ts\t张三",
                                                 "Q3\tn\t1",
                                                 "U3\tn\t0",
                                             }));
    EXPECT_EQ(facts(dumped, "cell\t明细\t"), (std::vector<std::string>{
                                                 "A1\ts\tID",
                                                 "B1\ts\t存单ID",
                                                 "C1\ts\t销售时间",
                                                 "D1\ts\t菜名",
                                                 "E1\ts\t数量",
                                                 "F1\ts\t单位",
                                                 "G1\ts\t小计",
                                                 "A2\tn\t1",
                                                 "B2\tn\t1",
                                                 "C2\td\t2017-05-15 12:30:00",
                                                 "D2\ts\t红烧排骨饭",
                                                 "E2\tn\t2",
                                                 "F2\ts\t份",
                                                 "G2\tn\t30",
                                                 "A3\tn\t2",
                                                 "B3\tn\t1",
                                                 "C3\td\t2017-05-15 12:31:05",
                                                 "D3\ts\t老王's 汤",
                                                 "E3\tn\t2",
                                                 "F3\ts\t份",
                                                 "G3\tn\t30",
                                                 "A4\tn\t4",
                                                 "B4\tn\t3",
                                                 "C4\td\t2017-05-17 09:05:00",
                                                 "D4\ts\t=SUM(A1)",
                                                 "E4\tn\t2",
                                                 "F4\ts\t份",
                                                 "G4\tn\t30",
                                             }));
}

TEST_F(HistoryExportTest, CsvFilesAreUtf8WithAByteOrderMark) {
    orders.setConditionFragment(HistoryFilter::takeOut().fragment);
    const std::string path = file("外卖.csv");
    ASSERT_EQ(HistoryExport(db, orders).toFile(path, {}), WriteResult::Written);
    EXPECT_EQ(bytes(path),
              "\xEF\xBB\xBF"
              "ID,编号,票头,店铺名称,时间,减免,减免份数,减免金额,合计,支付方式,已付,实付,桌号,"
              "电话,姓名,地址,是否结算,备注,抹零金额,收银台,演示,收银员\r\n"
              "2,1,票头,店,2017-05-16 18:00:00,无,0,0,40,现金支付,40,40,,13800000000,张三,"
              "\"白云路 12 号, 3楼\",1,,,,0,\r\n");
    EXPECT_EQ(bytes(file("外卖_明细.csv")), "\xEF\xBB\xBF"
                                            "ID,存单ID,销售时间,菜名,数量,单位,小计\r\n"
                                            "3,2,2017-05-16 18:00:00,干煸四季豆,2,份,30\r\n");
}

TEST_F(HistoryExportTest, CsvTextThatLooksLikeAFormulaStaysText) {
    const std::string path = file("店内.csv");
    ASSERT_EQ(HistoryExport(db, orders).toFile(path, {}), WriteResult::Written);
    EXPECT_NE(
        bytes(file("店内_明细.csv")).find("\r\n4,3,2017-05-17 09:05:00,'=SUM(A1),2,份,30\r\n"),
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
