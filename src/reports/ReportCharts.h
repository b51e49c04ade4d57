#pragma once
#include <string>
#include <vector>

// The charts the reports write beside their grids, with the fixed looks
// every report shares.
namespace ReportCharts {

struct TrendSeries {
    std::string name;
    std::vector<std::string> values;
};

// "xml/line-chart.xml" under folder: one title, two series, one period per label.
void writeTrend(const std::string& folder, long long axisMaximum, const std::string& title,
                const std::vector<std::string>& labels, const TrendSeries& first,
                const TrendSeries& second);

enum class PieLayout { Year, Quarter };

// "piedata.xml": monthly incomes beside monthly order counts.
void writeMonthPies(PieLayout layout, const std::string& incomeTitle, const std::string& countTitle,
                    const std::vector<std::string>& labels, const std::vector<long long>& incomes,
                    const std::vector<long long>& counts);

} // namespace ReportCharts
