#include "SpreadsheetTest.h"

#include "reports/IncomeReports.h"
#include "reports/SalesReports.h"
#include "spreadsheet/ReportExport.h"
#include "spreadsheet/XlsxReader.h"

namespace {

class ReportExportTest : public SpreadsheetTest {
  protected:
    // The merged groups too narrow for their text.
    static std::vector<std::string> clipped(const std::vector<std::string>& dumped) {
        std::vector<std::string> narrow;
        for (const auto& fit : facts(dumped, "fit\t报表\t"))
            if (!fit.ends_with("\tyes"))
                narrow.push_back(fit);
        return narrow;
    }

    void SetUp() override {
        for (const auto& [time, paid] :
             std::vector<std::pair<std::string, std::string>>{{"2017-01-10 12:00:00", "100"},
                                                              {"2017-01-11 12:00:00", "100"},
                                                              {"2017-03-05 12:00:00", "55"},
                                                              {"2017-03-06 12:00:00", "45"}}) {
            const long long id = addOrder({time, paid, paid, "A1"});
            addLine(id, time, "红烧排骨饭");
        }
        addLine(1, "2017-01-10 12:01:00", "酸菜鱼");
    }
    // The pie chart file goes to the temporary folder: this test's own.
    TemporaryFolderSwitch m_temporaryFolder{file("")};

    ReportSheet yearIncome() { return IncomeReports(db, file("")).year("2017"); }
};

TEST_F(ReportExportTest, YearIncomeWorkbookKeepsTheGridAndDrawsBothPiesFromItsCells) {
    const std::string path = file("年报表.xlsx");
    ASSERT_TRUE(ReportExport::toFile(yearIncome(), path));
    const auto dumped = dump(path);
    EXPECT_EQ(facts(dumped, "cell\t报表\t"),
              (std::vector<std::string>{
                  "A1\ts\t2017年 年报表", "A2\ts\t月份", "B2\ts\t月收入", "C2\ts\t月点单数量",
                  "D2\ts\t平均点单价格", "A3\ts\t2017-01", "B3\tn\t200", "C3\tn\t2", "D3\tn\t100",
                  "A4\ts\t2017-03", "B4\tn\t100", "C4\tn\t2", "D4\tn\t50",
                  "A6\ts\t本年度总计收入：300", "C6\ts\t本年度有10个月的数据缺损",
                  "A7\ts\t年度总点单数量：4", "C7\ts\t年度点单均价：75"}));
    EXPECT_EQ(facts(dumped, "merge\t报表\t"),
              (std::vector<std::string>{"A1:D1", "A5:D5", "A6:B6", "A7:B7", "C6:D6", "C7:D7"}));
    EXPECT_EQ(facts(dumped, "fit\t报表\t").size(), 5u);
    EXPECT_EQ(clipped(dumped), std::vector<std::string>{});
    EXPECT_EQ(facts(dumped, "chart\t报表\t"),
              (std::vector<std::string>{"pie\t2017年 年收入参考", "pie\t2017年 开单数量参考"}));
    EXPECT_EQ(facts(dumped, "series\t报表\t"),
              (std::vector<std::string>{"月收入\t'报表'!$A$3:$A$4\t'报表'!$B$3:$B$4",
                                        "月点单数量\t'报表'!$A$3:$A$4\t'报表'!$C$3:$C$4"}));
    // The project's own reader takes the shared strings of the same file.
    const auto table = XlsxReader::readFirstSheet(path);
    ASSERT_TRUE(table && table->size() == 7);
    EXPECT_EQ((*table)[0], (std::vector<std::string>{"2017年 年报表", "", "", ""}));
    EXPECT_EQ((*table)[3], (std::vector<std::string>{"2017-03", "100", "2", "50"}));
}

TEST_F(ReportExportTest, MonthSalesWorkbookDrawsOneLineChartOfAmountAndCount) {
    SalesReportState state;
    const auto sheet = SalesReports(db, file(""), state).month("2017-01");
    const std::string path = file("月销售.xlsx");
    ASSERT_TRUE(ReportExport::toFile(sheet, path));
    const auto dumped = dump(path);
    EXPECT_EQ(facts(dumped, "cell\t报表\tA3"), (std::vector<std::string>{"\ts\t10日"}));
    EXPECT_EQ(facts(dumped, "cell\t报表\tB3"), (std::vector<std::string>{"\tn\t2"}));
    EXPECT_EQ(facts(dumped, "chart\t报表\t"),
              (std::vector<std::string>{"line\t2017-01月 所有菜品销售参考数据"}));
    EXPECT_FALSE(facts(dumped, "fit\t报表\t").empty());
    EXPECT_EQ(clipped(dumped), std::vector<std::string>{});
    EXPECT_EQ(facts(dumped, "series\t报表\t"),
              (std::vector<std::string>{"销售额\t'报表'!$A$3:$A$4\t'报表'!$C$3:$C$4",
                                        "销售量\t'报表'!$A$3:$A$4\t'报表'!$B$3:$B$4"}));
}

TEST_F(ReportExportTest, ReportWithoutDataOrChartHasNoChartInTheWorkbook) {
    const std::string path = file("空.xlsx");
    ASSERT_TRUE(ReportExport::toFile(IncomeReports(db, file("")).year("2016"), path));
    const auto dumped = dump(path);
    EXPECT_TRUE(facts(dumped, "chart\t").empty());
    EXPECT_EQ(facts(dumped, "cell\t报表\tA1"), (std::vector<std::string>{"\ts\t2016年 年报表"}));
}

TEST_F(ReportExportTest, CsvHoldsTheGridRowByRowWithMergedCellsLeftEmpty) {
    const std::string path = file("日报表.csv");
    ASSERT_TRUE(ReportExport::toFile(IncomeReports(db, file("")).day("2017年3月5日"), path));
    EXPECT_EQ(bytes(path), "\xEF\xBB\xBF"
                           "2017年3月5日 点单报表,,,\r\n"
                           "时间,,实付,\r\n"
                           "2017年3月5日12时,,55,\r\n"
                           ",,,\r\n"
                           "总计收入：55,,,\r\n"
                           "点单数量：1,,点单均价：55,\r\n");
}

} // namespace
