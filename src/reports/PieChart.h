#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One pie of "piedata.xml".
struct PieChart {
    std::string title;
    int titleX = 0;
    int titleY = 0;
    int titleSize = 16;
    bool titleBold = true;
    std::uint32_t titleColor = 0;
    std::vector<long long> values;
    std::vector<std::string> names;
    std::vector<std::uint32_t> colors;
    std::vector<bool> showNames;
    std::vector<bool> openSlices;
    int centerX = 0;
    int centerY = 0;
    int majorAxis = 0;
    int minorAxis = 0;
    int ringWidth = 0;
    int height = 0;
    int legendX = 0;
    int legendY = 0;
    // "all", "num" or "font"; anything else shows no values.
    std::string percentMode;
};
