#pragma once
#include <string>

// What the sales reports remember between runs, for as long as the program
// runs: the dish filter, the last report chosen and the periods last shown.
struct SalesReportState {
    enum Mode { Year = 0, Month = 1, Day = 2 };

    std::string dishClause; // "菜名='…'and", or empty for all dishes
    std::string filterText = "所有菜品";
    int mode = Year;
    std::string lastYear;
    std::string lastMonth; // "2017-05"
    std::string lastDay;   // "2017年5月8日"
};
