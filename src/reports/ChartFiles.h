#pragma once
#include <string>

// Where the two chart data files live.
namespace ChartFiles {

// The system's temporary folder, always ending with a separator.
std::string temporaryFolder();
// folder + "xml/line-chart.xml"; a folder with or without a trailing "/"
// gives the same path.
std::string lineChartPath(const std::string& folder);
// temporaryFolder() + "piedata.xml".
std::string pieChartPath();
// An empty file over the chart, so that an earlier chart is not shown again.
void clearLineChart(const std::string& folder);
void clearPieChart();

} // namespace ChartFiles
