#pragma once
#include <cstdint>
#include <optional>

// The configuration of a line chart, one field per slot of the template.
// Defaults are the values every report of this program passes; a colour left
// empty writes the template's own default text.
struct LineChartLayout {
    int chartLeft = -160;
    int chartTop = 55;
    int chartWidth = 920;
    int chartHeight = 210;
    std::optional<std::uint32_t> stripeColor1; // "0xfafafa"
    std::optional<std::uint32_t> stripeColor2; // "0xf1f1f1"
    int lineMargin = 20;
    std::optional<std::uint32_t> borderColor; // "0xbdbdbd"
    int axisTextSize = 12;
    std::optional<std::uint32_t> axisTextColor; // "0x587b8c"
    int yTextDistance = 3;
    int yMin = 0;
    long long yMax = 0; // a year of sales can pass what an int holds
    int yIntervals = 5;
    int xTextDistance = 1;
    int gridThickness = 1;
    int gridColor = 12632256; // written in decimal
    bool legendVisible = true;
    int legendLeft = 660;
    int legendTop = 6;
    int legendWidth = 100;
    int legendTextSize = 12;
    std::optional<std::uint32_t> legendTextColor; // "0x5e7086"
    std::optional<std::uint32_t> legendBackColor; // "0xFFFFFF"
    int pointRadius = 3;
    int tooltipTextSize = 10;
    bool drawTogether = true;
};
