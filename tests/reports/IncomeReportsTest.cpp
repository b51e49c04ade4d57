#include "ReportTest.h"

#include "reports/ChartText.h"
#include "reports/IncomeReports.h"

namespace {

class IncomeReportsTest : public ReportTest {
  protected:
    IncomeReports reports() { return IncomeReports(db, folder.path()); }
    // The text of the last three rows: the blank row and the two summary rows.
    static std::vector<std::string> summary(const ReportSheet& sheet) {
        const int last = sheet.rowCount() - 4;
        return {sheet.text(last + 2, 0), sheet.text(last + 2, 2), sheet.text(last + 3, 0),
                sheet.text(last + 3, 2)};
    }
    static bool merged(const ReportSheet& sheet, int row, int first, int columns) {
        for (const auto& span : sheet.spans())
            if (span.row == row && span.column == first && span.columns == columns)
                return true;
        return false;
    }
};

INSTANTIATE_TEST_SUITE_P(Engines, IncomeReportsTest, bothEngines, engineName);

TEST_P(IncomeReportsTest, DayReportListsOrdersInTimeOrderWithTotals) {
    addOrders("2017-05-08 12:30:00", 5, 130);
    addOrders("2017-05-08 09:05:07", 5, 125);
    addOrder("2017-05-09 10:00:00", 999);
    const auto sheet = reports().day("2017年5月8日");
    ASSERT_TRUE(sheet.found());
    EXPECT_EQ(sheet.title(), "2017年5月8日 点单报表");
    EXPECT_EQ(sheet.caption(), "正在浏览:2017年5月8日 点单报表");
    EXPECT_EQ(sheet.chart(), ReportSheet::Chart::None);
    EXPECT_EQ(sheet.rowCount(), 10 + 5);
    EXPECT_EQ(sheet.text(1, 0), "时间");
    EXPECT_EQ(sheet.text(1, 2), "实付");
    EXPECT_EQ(sheet.text(2, 0), "2017年5月8日9时5分7秒");
    EXPECT_EQ(sheet.text(2, 2), "25");
    EXPECT_EQ(sheet.text(11, 0), "2017年5月8日12时30分");
    EXPECT_EQ(sheet.colour(2, 2), 255u);
    EXPECT_TRUE(merged(sheet, 2, 0, 2));
    EXPECT_TRUE(merged(sheet, 13, 0, 4));
    EXPECT_EQ(summary(sheet),
              (std::vector<std::string>{"总计收入：255", "", "点单数量：10", "点单均价：25.5"}));
}

TEST_P(IncomeReportsTest, DayStartsAfterMidnight) {
    addOrder("2017-05-08 00:00:00", 20);
    addOrder("2017-05-07 23:59:59", 20);
    const auto sheet = reports().day("2017年5月8日");
    EXPECT_FALSE(sheet.found());
    EXPECT_EQ(sheet.rowCount(), 2);
    EXPECT_EQ(sheet.text(0, 0), "2017年5月8日 点单报表");
    EXPECT_TRUE(reports().day("2017年5月7日").found());
}

TEST_P(IncomeReportsTest, MonthReportCountsMissingDays) {
    inOneTransaction([&] {
        for (int day = 1; day <= 28; ++day)
            addOrders("2017-05-" + std::string(day < 10 ? "0" : "") + std::to_string(day) +
                          " 12:00:00",
                      3, 100);
    });
    const auto sheet = reports().month("2017", "5");
    ASSERT_TRUE(sheet.found());
    EXPECT_EQ(sheet.title(), "2017年5月 月报表");
    EXPECT_EQ(sheet.rowCount(), 28 + 5);
    EXPECT_EQ(sheet.text(2, 0), "2017-05-01");
    EXPECT_EQ(sheet.text(2, 1), "100");
    EXPECT_EQ(sheet.text(2, 2), "3");
    EXPECT_EQ(sheet.text(2, 3), "33.3");
    EXPECT_EQ(sheet.colour(2, 1), 255u);
    EXPECT_EQ(sheet.colour(2, 2), 0xFF0000u);
    EXPECT_EQ(summary(sheet), (std::vector<std::string>{"本月总计收入：2800", "本月有3日的数据缺损",
                                                        "月总点单数量：84", "月点单均价：33.3"}));
}

TEST_P(IncomeReportsTest, FullMonthShowsTheTotalAcrossTheRow) {
    inOneTransaction([&] {
        for (int day = 1; day <= 29; ++day)
            addOrder("2016-02-" + std::string(day < 10 ? "0" : "") + std::to_string(day) +
                         " 12:00:00",
                     10);
    });
    const auto sheet = reports().month("2016", "02");
    ASSERT_TRUE(sheet.found());
    const int totalRow = sheet.rowCount() - 2;
    EXPECT_EQ(sheet.text(totalRow, 0), "本月总计收入：290");
    EXPECT_EQ(sheet.text(totalRow, 2), "");
    EXPECT_TRUE(merged(sheet, totalRow, 0, 4));
}

TEST_P(IncomeReportsTest, MonthReportWritesItsLineChart) {
    addOrders("2017-05-08 12:00:00", 10, 1235);
    addOrders("2017-05-09 12:00:00", 3, 300);
    addOrders("2017-05-10 12:00:00", 2, 88);
    ASSERT_TRUE(reports().month("2017", "5").found());
    EXPECT_EQ(TempFolder::read(folder.path() + "/xml/line-chart.xml"),
              golden("month-line-chart.xml"));
}

TEST_P(IncomeReportsTest, YearReportCountsMissingMonthsAndWritesThePies) {
    addOrders("2017-01-15 12:00:00", 10, 1234);
    addOrders("2017-02-15 12:00:00", 3, 300);
    addOrders("2017-05-31 23:59:59", 2, 88);
    addOrder("2016-12-31 23:59:59", 7);
    const auto sheet = reports().year("2017");
    ASSERT_TRUE(sheet.found());
    EXPECT_EQ(sheet.title(), "2017年 年报表");
    EXPECT_EQ(sheet.chart(), ReportSheet::Chart::Pie);
    EXPECT_EQ(sheet.text(1, 3), "平均点单价格");
    EXPECT_EQ(sheet.text(4, 0), "2017-05");
    EXPECT_EQ(summary(sheet),
              (std::vector<std::string>{"本年度总计收入：1622", "本年度有9个月的数据缺损",
                                        "年度总点单数量：15", "年度点单均价：108.1"}));
    EXPECT_EQ(TempFolder::read(folder.path() + "/piedata.xml"), golden("year-piedata.xml"));
}

TEST_P(IncomeReportsTest, FourthQuarterEndsWithTheYear) {
    addOrder("2017-09-30 23:59:59", 1);
    addOrder("2017-10-01 00:00:00", 10);
    addOrder("2017-12-31 23:59:59", 20);
    addOrder("2018-01-01 00:00:00", 40);
    const auto sheet = reports().quarter("2017", "4");
    ASSERT_TRUE(sheet.found());
    EXPECT_EQ(sheet.title(), "2017年4季度报表");
    EXPECT_EQ(summary(sheet),
              (std::vector<std::string>{"本季度总计收入：30", "本季度有1个月的数据缺损",
                                        "季度总点单数量：2", "季度点单均价：15"}));
    const auto pies = TempFolder::read(folder.path() + "/piedata.xml");
    EXPECT_NE(pies.find("<pie_title>2017年4季度收入参考,100,20,16,true,0x0060C0</pie_title>"),
              std::string::npos);
    EXPECT_NE(pies.find("<pie_name>10月,12月</pie_name>"), std::string::npos);
}

TEST_P(IncomeReportsTest, PeriodsWithoutOrdersFindNothing) {
    addOrder("2017-05-08 12:00:00", 20);
    ChartText::writeFile(folder.path() + "/piedata.xml", "earlier chart");
    const struct {
        const char* what;
        ReportSheet sheet;
    } cases[] = {
        {"month 13", reports().month("2017", "13")},
        {"other year", reports().year("2016")},
        {"other quarter", reports().quarter("2017", "1")},
        {"other day", reports().day("2017年5月9日")},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(c.sheet.found()) << c.what;
        EXPECT_EQ(c.sheet.rowCount(), 2) << c.what;
    }
    // The quarter report empties the pies before it looks for orders.
    EXPECT_EQ(TempFolder::read(folder.path() + "/piedata.xml"), "");
}

TEST_P(IncomeReportsTest, ApostropheInAPeriodTextIsNoStatementError) {
    addOrder("2017-05-08 12:00:00", 20);
    EXPECT_FALSE(reports().year("2017' or '1'='1").found());
    EXPECT_FALSE(reports().day("2017年5月8日' or '1'='1").found());
}

} // namespace
