#include "ReportTest.h"
#include "reports/ChartFileReader.h"
#include "reports/ChartFiles.h"
#include "reports/ChartText.h"
#include "reports/LineChartWriter.h"
#include "reports/PieChartFile.h"
#include "reports/ReportCharts.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorToHex, WritesRedGreenBlueAndDropsTheHighByte) {
    const struct {
        std::uint32_t color;
        const char* text;
    } cases[] = {
        {0x80E000, "0x00E080"}, {0xFF, "0xFF0000"},       {0xFF0000, "0x0000FF"},
        {0xC06000, "0x0060C0"}, {0xE80807FE, "0xFE0708"}, {0, "0x000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(colorToHex(c.color), c.text) << std::hex << c.color;
}

ReportCharts::TrendSeries income{"月实付总额", {"1235", "300", "88"}};
ReportCharts::TrendSeries counts{"月点单数量", {"10", "3", "2"}};

TEST(LineChartFile, MonthReportChartMatchesTheHandWrittenFile) {
    TempFolder folder;
    ReportCharts::writeTrend(folder.path(), 1300, "2017年05月份 参考数据", {"08日", "09日", "10日"},
                             income, counts);
    EXPECT_EQ(TempFolder::read(folder.path() + "/xml/line-chart.xml"),
              golden("month-line-chart.xml"));
}

TEST(LineChartFile, FolderWithOrWithoutTrailingSeparatorGivesOnePath) {
    EXPECT_EQ(ChartFiles::lineChartPath("/opt/tw"), "/opt/tw/xml/line-chart.xml");
    EXPECT_EQ(ChartFiles::lineChartPath("/opt/tw/"), "/opt/tw/xml/line-chart.xml");
}

TEST(LineChartFile, SaveReplacesAnEarlierFile) {
    TempFolder folder;
    ReportCharts::writeTrend(folder.path() + "/", 1300, "第一", {"01日"}, income, counts);
    ReportCharts::writeTrend(folder.path(), 100, "第二", {"02日"}, income, counts);
    const auto text = TempFolder::read(folder.path() + "/xml/line-chart.xml");
    EXPECT_EQ(text.find("第一"), std::string::npos);
    EXPECT_NE(text.find("第二"), std::string::npos);
}

TEST(LineChartFile, MissingFolderWritesNothingAndStillSucceeds) {
    LineChartWriter writer;
    writer.setLayout({});
    EXPECT_TRUE(writer.save("/nonexistent/tablewise"));
}

std::string periodsOf(const LineChartWriter& writer) {
    const auto text = writer.text();
    const auto from = text.find("\t<periods>\r\n");
    return text.substr(from + 12, text.find("\t\t</periods>") - from - 12);
}

TEST(LineChartWriter, ShortValueListsArePaddedWithZero) {
    LineChartWriter writer;
    writer.setLayout({});
    writer.setPeriods({"01月", "02月", "03月"});
    writer.addPeriodValues({"5"});
    writer.addPeriodValues({});
    EXPECT_EQ(periodsOf(writer), "<period name=\"01月\">\r\n<v>5</v><v>0</v>\r\n</period>\r\n"
                                 "<period name=\"02月\">\r\n<v>0</v><v>0</v>\r\n</period>\r\n"
                                 "<period name=\"03月\">\r\n<v>0</v><v>0</v>\r\n</period>\r\n\r\n");
}

TEST(LineChartWriter, SetLayoutStartsAFreshDocument) {
    LineChartWriter writer;
    writer.setLayout({});
    writer.addParagraph(1, true, std::nullopt, 16, 45, 10, 500, "旧标题");
    writer.addSerie(255, 2, 0xFFA8FF, "旧线");
    writer.setLayout({});
    EXPECT_EQ(writer.text().find("旧"), std::string::npos);
}

TEST(LineChartWriter, ParagraphAlignColourAndUnescapedText) {
    const struct {
        int align;
        std::optional<std::uint32_t> color;
        const char* expected;
    } cases[] = {
        {1, std::nullopt, "<paragraph align=\"center\" bold=\"false\" color=\"0x000066\""},
        {2, 0xFF, "<paragraph align=\"right\" bold=\"false\" color=\"0xFF0000\""},
        {0, std::nullopt, "<paragraph align=\"left\""},
        {7, std::nullopt, "<paragraph align=\"left\""},
    };
    for (const auto& c : cases) {
        LineChartWriter writer;
        writer.setLayout({});
        writer.addParagraph(c.align, false, c.color, 9, 1, 2, 3, "A \"B\" & <C>");
        const auto text = writer.text();
        EXPECT_NE(text.find(c.expected), std::string::npos) << c.align;
        EXPECT_NE(text.find("text=\"A \"B\" & <C>\" />\r\n"), std::string::npos);
    }
}

TEST(LineChartWriter, GivenColoursReplaceTheTemplateDefaults) {
    LineChartLayout layout;
    layout.borderColor = 0x102030;
    layout.axisTextColor = 0x0000FF;
    layout.legendVisible = false;
    LineChartWriter writer;
    writer.setLayout(layout);
    const auto text = writer.text();
    EXPECT_NE(text.find("xMargin=\"20\" borderColor=\"0x302010\""), std::string::npos);
    EXPECT_NE(text.find("backAlpha=\"1\" borderColor=\"0x302010\""), std::string::npos);
    EXPECT_NE(text.find("<xaxis tagSize=\"12\" tagColor=\"0xFF0000\""), std::string::npos);
    EXPECT_NE(text.find("<legends visible=\"false\""), std::string::npos);
}

PieChart smallPie(const std::string& percentMode) {
    PieChart pie;
    pie.title = "标题";
    pie.values = {1, 2};
    pie.names = {"甲", "乙"};
    pie.percentMode = percentMode;
    return pie;
}

TEST(PieChartFile, YearReportPiesMatchTheHandWrittenFile) {
    TempFolder folder;
    TemporaryFolderSwitch temporaryFolder(folder.path());
    ReportCharts::writeMonthPies(ReportCharts::PieLayout::Year, "2017年 年收入参考",
                                 "2017年 开单数量参考", {"01月", "02月", "05月"}, {1234, 300, 88},
                                 {10, 3, 2});
    EXPECT_EQ(TempFolder::read(folder.path() + "/piedata.xml"), golden("year-piedata.xml"));
}

TEST(PieChartFile, PercentModeMustBeExactlyAKnownWord) {
    const struct {
        const char* mode;
        const char* shown;
        const char* lineLength;
    } cases[] = {
        {"all", "all", "20"}, {"num", "num", "20"}, {"font", "font", "20"},
        {"ALL", "none", "0"}, {"", "none", "0"},    {"none", "none", "0"},
    };
    for (const auto& c : cases) {
        const auto text = PieChartFile::text(std::nullopt, 0, 0, smallPie(c.mode), smallPie("num"));
        const auto first = text.substr(0, text.find("</pie>"));
        EXPECT_NE(first.find(std::string("<pie_percentshow>") + c.shown + "<"), std::string::npos)
            << c.mode;
        EXPECT_NE(first.find(std::string("<pie_linewidth>") + c.lineLength + "<"),
                  std::string::npos)
            << c.mode;
    }
}

TEST(PieChartFile, NoBackgroundGivesTheDefaultAndListsHaveNoTrailingComma) {
    const auto text = PieChartFile::text(std::nullopt, 0, 0, smallPie("num"), smallPie("num"));
    EXPECT_NE(text.find("bgcolor=\"0x333333\""), std::string::npos);
    EXPECT_NE(text.find("<pie_num>1,2</pie_num>"), std::string::npos);
    EXPECT_NE(text.find("<pie_color></pie_color>"), std::string::npos);
}

TEST(ChartFileReader, ReadsBackALineChartWhoseTitleBreaksXml) {
    LineChartWriter writer;
    LineChartLayout layout;
    layout.yMax = 1300;
    writer.setLayout(layout);
    writer.addParagraph(1, true, std::nullopt, 16, 45, 10, 500, "老王\"牛肉\" & <面>");
    writer.addSerie(255, 2, 0xFFA8FF, "销售额");
    writer.addSerie(0xFF0000, 2, 0x80E000, "销售量");
    writer.setPeriods({"01月", "02月"});
    writer.addPeriodValues({"12.5", "7"});
    writer.addPeriodValues({"3"});
    writer.addPeriodValues({});

    const auto chart = ChartFileReader::parseLineChart(writer.text());
    ASSERT_EQ(chart.paragraphs.size(), 1u);
    EXPECT_EQ(chart.paragraphs[0], "老王\"牛肉\" & <面>");
    ASSERT_EQ(chart.series.size(), 2u);
    EXPECT_EQ(chart.series[0].name, "销售额");
    EXPECT_EQ(chart.series[0].lineColor, 0xFF0000u);
    EXPECT_EQ(chart.series[1].lineColor, 0x0000FFu);
    EXPECT_EQ(chart.series[1].pointColor, 0x00E080u);
    EXPECT_EQ(chart.periods, (std::vector<std::string>{"01月", "02月"}));
    EXPECT_EQ(chart.values, (std::vector<std::vector<double>>{{12.5, 3, 0}, {7, 0, 0}}));
    EXPECT_EQ(chart.yMax, 1300);
    EXPECT_EQ(chart.intervals, 5);
    EXPECT_TRUE(ChartFileReader::parseLineChart("").empty());
}

TEST(ChartFileReader, ReadsBackBothPies) {
    auto first = smallPie("num");
    first.title = "2017年, \"年\"收入";
    first.titleColor = 0xC06000;
    first.colors = {0xFF, 0xFF0000};
    const auto chart = ChartFileReader::parsePieChart(
        PieChartFile::text(0xFFEAD5, 0xC06000, 0xC06000, first, smallPie("all")));
    ASSERT_EQ(chart.pies.size(), 2u);
    EXPECT_EQ(chart.background, 0xD5EAFFu);
    EXPECT_EQ(chart.pies[0].title, "2017年, \"年\"收入");
    EXPECT_EQ(chart.pies[0].titleColor, 0x0060C0u);
    EXPECT_EQ(chart.pies[0].values, (std::vector<double>{1, 2}));
    EXPECT_EQ(chart.pies[0].names, (std::vector<std::string>{"甲", "乙"}));
    EXPECT_EQ(chart.pies[0].colors, (std::vector<std::uint32_t>{0xFF0000, 0x0000FF}));
    EXPECT_EQ(chart.pies[0].percentMode, "num");
    EXPECT_EQ(chart.pies[1].percentMode, "all");
    EXPECT_TRUE(ChartFileReader::parsePieChart("").empty());
}

} // namespace
