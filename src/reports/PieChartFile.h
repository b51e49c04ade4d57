#pragma once
#include "reports/PieChart.h"

#include <cstdint>
#include <optional>
#include <string>

// "piedata.xml": two pies side by side. Titles and names go in unescaped.
namespace PieChartFile {

// The file's bytes; no background colour writes "0x333333".
std::string text(std::optional<std::uint32_t> background, std::uint32_t sliceTextColor,
                 std::uint32_t legendTextColor, const PieChart& first, const PieChart& second);

} // namespace PieChartFile

// Writes the file to the temporary folder, replacing any earlier one.
void writePieChartFile(std::optional<std::uint32_t> background, std::uint32_t sliceTextColor,
                       std::uint32_t legendTextColor, const PieChart& first, const PieChart& second);
