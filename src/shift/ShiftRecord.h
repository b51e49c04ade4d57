#pragma once
#include "shift/ShiftFigures.h"
#include "shift/ShiftPeriod.h"

#include <string>

// One stored handover or day close.
struct ShiftRecord {
    long long id = 0;
    int number = 0;
    std::string end; // canonical time it was stored
    ShiftPeriod period;
    ShiftFigures figures;

    // "交班 第3号", "日结补充 第2号（补第1号）".
    std::string title() const;
};
