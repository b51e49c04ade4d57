#include "reports/ReportCharts.h"

#include "reports/LineChartWriter.h"
#include "reports/PieChartFile.h"

#include <cstdint>

namespace ReportCharts {

void writeTrend(const std::string& folder, long long axisMaximum, const std::string& title,
                const std::vector<std::string>& labels, const TrendSeries& first,
                const TrendSeries& second) {
    LineChartLayout layout;
    layout.yMax = axisMaximum;
    LineChartWriter writer;
    writer.setLayout(layout);
    writer.addParagraph(1, true, std::nullopt, 16, 45, 10, 500, title);
    writer.addSerie(255, 2, 0xFFA8FF, first.name);
    writer.addSerie(0xFF0000, 2, 0x80E000, second.name);
    writer.setPeriods(labels);
    writer.addPeriodValues(first.values);
    writer.addPeriodValues(second.values);
    writer.addPeriodValues({});
    writer.save(folder);
}

namespace {

const std::vector<std::uint32_t> sliceColours = {0xE80807FE, 0xE00CED0E, 0xEFF1492E, 0xE00BFFEE,
                                                 0xEFF00FEE, 0xEFF69B3E, 0xEFFF0F4E, 0xEFFB6C0E,
                                                 0x000080FF, 0xE87CEF9E, 0xE8470FEE, 0x00C080FF};
constexpr std::uint32_t textColour = 0xC06000;

PieChart monthPie(const std::string& title, const std::vector<std::string>& labels,
                 const std::vector<long long>& values) {
    PieChart pie;
    pie.title = title;
    pie.titleY = 20;
    pie.titleSize = 16;
    pie.titleBold = true;
    pie.titleColor = textColour;
    pie.values = values;
    pie.names = labels;
    pie.colors = sliceColours;
    pie.showNames.assign(12, true);
    pie.openSlices.assign(12, true);
    pie.centerY = 160;
    pie.majorAxis = 120;
    pie.minorAxis = 60;
    pie.ringWidth = 50;
    pie.height = 16;
    pie.legendY = 40;
    pie.percentMode = "num";
    return pie;
}

} // namespace

void writeMonthPies(PieLayout layout, const std::string& incomeTitle, const std::string& countTitle,
                    const std::vector<std::string>& labels, const std::vector<long long>& incomes,
                    const std::vector<long long>& counts) {
    PieChart income = monthPie(incomeTitle, labels, incomes);
    const bool year = layout == PieLayout::Year;
    income.titleX = year ? 140 : 100;
    income.centerX = year ? 210 : 190;
    income.legendX = 420;
    PieChart count = monthPie(countTitle, labels, counts);
    count.titleX = 580;
    count.centerX = 680;
    count.legendX = 880;
    writePieChartFile(0xFFEAD5, textColour, textColour, income, count);
}

} // namespace ReportCharts
