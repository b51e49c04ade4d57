#pragma once
#include "storage/values/DateTime.h"
#include "storage/values/Money.h"

#include <string>

// Which orders and change records a handover or day close covers: those
// stored after its ID bounds, of one till and cashier for a handover, of one
// day for a day close.
struct ShiftPeriod {
    enum class Kind { Handover, DayClose, Supplement };

    Kind kind = Kind::Handover;
    std::string till;    // a handover's till and cashier
    std::string cashier; // empty where the shop keeps no cashier list
    DateTime day;        // a day close's day
    long long afterOrderId = 0;
    long long afterLogId = 0;
    std::string start; // canonical time the period began, empty when unknown
    Money startingFloat;
    bool floatCarried = false; // left by an earlier handover, not typed
    int supplemented = 0; // a supplement's day close number

    // The text of the 类别 column.
    const char* kindName() const;
};
