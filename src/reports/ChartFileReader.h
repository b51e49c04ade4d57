#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What the chart viewer draws. Colours are 0xRRGGBB as the files write them.
struct LineChartData {
    struct Serie {
        std::string name;
        std::uint32_t lineColor = 0;
        std::uint32_t pointColor = 0;
        int thickness = 1;
    };
    std::vector<std::string> paragraphs;
    std::vector<Serie> series;
    std::vector<std::string> periods;
    std::vector<std::vector<double>> values; // per period, one value per place
    double yMin = 0;
    double yMax = 0;
    int intervals = 5;
    bool legendVisible = true;
    bool empty() const { return periods.empty() && series.empty(); }
};

struct PieChartData {
    struct Pie {
        std::string title;
        std::uint32_t titleColor = 0;
        int titleSize = 16;
        bool titleBold = true;
        std::vector<double> values;
        std::vector<std::string> names;
        std::vector<std::uint32_t> colors;
        std::vector<bool> showNames;
        std::string percentMode;
        std::uint32_t textColor = 0;
        std::uint32_t legendTextColor = 0;
    };
    std::uint32_t background = 0x333333;
    std::vector<Pie> pies;
    bool empty() const { return pies.empty(); }
};

// Reads the chart files line by line rather than as XML: titles and names
// are written unescaped, so a quote or "&" in them must not lose the chart.
namespace ChartFileReader {

LineChartData parseLineChart(const std::string& text);
PieChartData parsePieChart(const std::string& text);
// "0xRRGGBB" (either case) to its number; 0 when it is not one.
std::uint32_t parseColor(const std::string& text);
// The whole file, or empty text when it cannot be read.
std::string readFile(const std::string& path);

} // namespace ChartFileReader
