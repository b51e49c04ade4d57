#include "ReportTest.h"

#include "reports/SalesReports.h"

namespace {

class SalesReportsTest : public ReportTest {
  protected:
    void addRows() override {
        inOneTransaction([&] { addLines(); });
    }
    void addLines() {
        addLine("2017-05-03 12:00:00", "宫保鸡丁", 3, 36);
        addLine("2017-05-03 12:05:00", "宫保鸡丁", 3, 36);
        addLine("2017-05-03 11:00:00", "老王's 牛肉面", 2, 30.5);
        addLine("2017-05-17 18:00:00", "酸菜鱼", 1, 16);
        addLine("2017-05-31 20:00:00", "宫保鸡丁", 1, 12.25);
        addLine("2017-08-01 09:00:00", "酸菜鱼", 2, 32);
        addLine("2018-01-01 00:00:01", "酸菜鱼", 2, 32);
    }
    SalesReports reports() { return SalesReports(db, folder.path(), m_state); }
    static std::vector<std::string> row(const ReportSheet& sheet, int r) {
        return {sheet.text(r, 0), sheet.text(r, 1), sheet.text(r, 2)};
    }
    static std::vector<std::string> totals(const ReportSheet& sheet) {
        return {sheet.text(sheet.rowCount() - 2, 0), sheet.text(sheet.rowCount() - 1, 0)};
    }

    SalesReportState m_state;
};

INSTANTIATE_TEST_SUITE_P(Engines, SalesReportsTest, bothEngines, engineName);

TEST_P(SalesReportsTest, YearReportCountsLinesNotQuantities) {
    const auto sheet = reports().year("2017");
    ASSERT_TRUE(sheet.found());
    EXPECT_EQ(sheet.title(), "2017年 所有菜品销售表");
    EXPECT_EQ(row(sheet, 1), (std::vector<std::string>{"月份", "销售数量", "销售金额"}));
    EXPECT_EQ(row(sheet, 2), (std::vector<std::string>{"05月", "5", "130.8"}));
    EXPECT_EQ(row(sheet, 3), (std::vector<std::string>{"08月", "1", "32"}));
    EXPECT_EQ(sheet.rowCount(), 2 + 5);
    EXPECT_EQ(sheet.colour(2, 1), 0xFF0000u);
    EXPECT_EQ(sheet.colour(2, 2), 255u);
    EXPECT_EQ(totals(sheet), (std::vector<std::string>{
                                 "总销售额(仅作参考，请以实付金额为准)：162.75", "总销售量：6"}));
    const auto chart = TempFolder::read(folder.path() + "/xml/line-chart.xml");
    EXPECT_NE(chart.find("max=\"200\""), std::string::npos);
    EXPECT_NE(chart.find("text=\"2017年 所有菜品销售参考数据\""), std::string::npos);
    EXPECT_NE(chart.find("<period name=\"05月\">\r\n<v>130.8</v><v>5</v><v>0</v>"),
              std::string::npos);
}

TEST_P(SalesReportsTest, MonthReportHasOneRowPerDayWithLines) {
    const auto sheet = reports().month("2017-05");
    ASSERT_TRUE(sheet.found());
    EXPECT_EQ(sheet.title(), "2017-05月 所有菜品销售表");
    EXPECT_EQ(sheet.rowCount(), 8);
    EXPECT_EQ(row(sheet, 2), (std::vector<std::string>{"03日", "3", "102.5"}));
    EXPECT_EQ(row(sheet, 3), (std::vector<std::string>{"17日", "1", "16"}));
    EXPECT_EQ(row(sheet, 4), (std::vector<std::string>{"31日", "1", "12.3"}));
    EXPECT_NE(TempFolder::read(folder.path() + "/xml/line-chart.xml")
                  .find("2017-05月 所有菜品销售参考数据"),
              std::string::npos);
}

TEST_P(SalesReportsTest, DayListShowsEachLineInTimeOrder) {
    const auto sheet = reports().day("2017年5月3日");
    ASSERT_TRUE(sheet.found());
    EXPECT_EQ(sheet.title(), "2017年5月3日所有菜品销售表");
    EXPECT_EQ(sheet.chart(), ReportSheet::Chart::None);
    EXPECT_EQ(row(sheet, 2),
              (std::vector<std::string>{"2017年5月3日11时", "老王's 牛肉面(2)", "30.5"}));
    EXPECT_EQ(row(sheet, 3), (std::vector<std::string>{"2017年5月3日12时", "宫保鸡丁(3)", "36"}));
    EXPECT_EQ(row(sheet, 4),
              (std::vector<std::string>{"2017年5月3日12时5分", "宫保鸡丁(3)", "36"}));
    EXPECT_EQ(totals(sheet), (std::vector<std::string>{
                                 "总销售额(仅作参考，请以实付金额为准)：102.5", "总销售量：3"}));
}

TEST_P(SalesReportsTest, DishFilterNarrowsAndAllDishesRestores) {
    SalesReports sales = reports();
    const auto before = sales.year("2017");
    sales.setDishFilter("宫保鸡丁");
    const auto one = sales.rerun();
    EXPECT_EQ(one.title(), "2017年 宫保鸡丁销售表");
    EXPECT_EQ(row(one, 2), (std::vector<std::string>{"05月", "3", "84.3"}));
    EXPECT_EQ(one.rowCount(), 1 + 5);
    sales.setDishFilter("所有菜品");
    const auto after = sales.rerun();
    for (int r = 0; r < before.rowCount(); ++r)
        EXPECT_EQ(row(after, r), row(before, r)) << r;
    EXPECT_EQ(after.rowCount(), before.rowCount());
}

TEST_P(SalesReportsTest, DishWithApostropheGivesItsOwnFigures) {
    SalesReports sales = reports();
    sales.setDishFilter("老王's 牛肉面");
    const auto sheet = sales.day("2017年5月3日");
    ASSERT_TRUE(sheet.found());
    EXPECT_EQ(sheet.rowCount(), 1 + 5);
    EXPECT_EQ(row(sheet, 2)[1], "老王's 牛肉面(2)");
    EXPECT_EQ(totals(sheet)[1], "总销售量：1");
    EXPECT_EQ(row(sales.year("2017"), 2), (std::vector<std::string>{"05月", "1", "30.5"}));
}

TEST_P(SalesReportsTest, EmptyPeriodReusesTheRememberedOne) {
    SalesReports sales = reports();
    sales.year("2017");
    sales.month("2017-08");
    sales.day("2017年5月31日");
    const struct {
        int mode;
        const char* title;
    } cases[] = {
        {SalesReportState::Year, "2017年 酸菜鱼销售表"},
        {SalesReportState::Month, "2017-08月 酸菜鱼销售表"},
        {SalesReportState::Day, "2017年5月31日酸菜鱼销售表"},
    };
    sales.setDishFilter("酸菜鱼");
    for (const auto& c : cases) {
        m_state.mode = c.mode;
        EXPECT_EQ(sales.rerun().title(), c.title);
    }
}

TEST_P(SalesReportsTest, YearWithoutLinesEmptiesTheChart) {
    reports().year("2017");
    const auto sheet = reports().year("2016");
    EXPECT_FALSE(sheet.found());
    EXPECT_EQ(sheet.rowCount(), 2);
    EXPECT_EQ(sheet.title(), "2016年 所有菜品销售表");
    EXPECT_EQ(TempFolder::read(folder.path() + "/xml/line-chart.xml"), "");
}

TEST_P(SalesReportsTest, MonthWithoutLinesLeavesTheChart) {
    reports().month("2017-05");
    EXPECT_FALSE(reports().month("2017-06").found());
    EXPECT_NE(TempFolder::read(folder.path() + "/xml/line-chart.xml").find("2017-05月"),
              std::string::npos);
}

TEST_P(SalesReportsTest, FiguresBeyondFloatAndIntLimitsStayRight) {
    const struct {
        const char* year;
        std::vector<double> subtotals;
        const char* row;
        const char* total;
        const char* axis;
    } cases[] = {
        // Binary addition gives 2469.1499999..., which the total row writes 2469.15.
        {"2019", {1234.55, 0.05, 1234.55}, "2469.2", "2469.15", "max=\"2500\""},
        {"2020", {3e9}, "3000000000", "3000000000", "max=\"3000000000\""},
    };
    for (const auto& c : cases) {
        for (double subtotal : c.subtotals)
            addLine(std::string(c.year) + "-02-01 12:00:00", "酸菜鱼", 1, subtotal);
        const auto sheet = reports().year(c.year);
        EXPECT_EQ(row(sheet, 2)[2], c.row) << c.year;
        EXPECT_EQ(totals(sheet)[0],
                  std::string("总销售额(仅作参考，请以实付金额为准)：") + c.total);
        EXPECT_NE(TempFolder::read(folder.path() + "/xml/line-chart.xml").find(c.axis),
                  std::string::npos)
            << c.year;
    }
}

} // namespace
