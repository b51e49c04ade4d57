#include "shift/ShiftPeriod.h"

const char* ShiftPeriod::kindName() const {
    switch (kind) {
    case Kind::Handover:
        return "交班";
    case Kind::DayClose:
        return "日结";
    case Kind::Supplement:
        return "日结补充";
    }
    return "";
}
