#include "reports/ChartFiles.h"

#include "reports/ChartText.h"

#include <filesystem>
#include <system_error>

namespace ChartFiles {

std::string temporaryFolder() {
    std::error_code error;
    std::string folder = std::filesystem::temp_directory_path(error).string();
    if (error || folder.empty())
        folder = "/tmp";
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

std::string lineChartPath(const std::string& folder) {
    const bool endsWithSeparator = !folder.empty() && folder.back() == '/';
    return folder + (endsWithSeparator ? "" : "/") + "xml/line-chart.xml";
}

std::string pieChartPath() {
    return temporaryFolder() + "piedata.xml";
}

void clearLineChart(const std::string& folder) {
    ChartText::writeFile(lineChartPath(folder), "");
}

void clearPieChart() {
    ChartText::writeFile(pieChartPath(), "");
}

} // namespace ChartFiles
