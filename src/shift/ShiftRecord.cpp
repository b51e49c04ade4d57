#include "shift/ShiftRecord.h"

std::string ShiftRecord::title() const {
    std::string text = std::string(period.kindName()) + " 第" + std::to_string(number) + "号";
    if (period.kind == ShiftPeriod::Kind::Supplement)
        text += "（补第" + std::to_string(period.supplemented) + "号）";
    return text;
}
