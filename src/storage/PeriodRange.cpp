#include "storage/PeriodRange.h"

#include <cctype>

namespace PeriodRange {

namespace {

// 'yyyy' -> "dddd", 'yyyy-mm' -> "dddd-dd", 'yyyy-mm-dd' -> "dddd-dd-dd".
bool shapedLike(const std::string& value, const std::string& pattern)
{
    if (value.size() != pattern.size())
        return false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(value[i])) != 0;
        if (pattern[i] == '-' ? value[i] != '-' : !digit)
            return false;
    }
    return true;
}

} // namespace

std::optional<std::string> condition(const std::string& column, const std::string& pattern,
                                     const std::string& op, const std::string& value)
{
    const char* separator = pattern == "yyyy" || pattern == "yyyy-mm" ? "-"
                            : pattern == "yyyy-mm-dd"                 ? " "
                                                                      : nullptr;
    if (!separator || !shapedLike(value, pattern))
        return std::nullopt;
    // Neither bound can be read as a number, so the column's numeric
    // affinity leaves them text.
    const std::string first = "'" + value + separator + "'";
    const std::string past = "'" + value + separator + "~'";
    if (op == "=")
        return "(" + column + ">=" + first + " and " + column + "<" + past + ")";
    if (op == ">=")
        return column + ">=" + first;
    if (op == "<")
        return column + "<" + first;
    if (op == ">")
        return column + ">=" + past;
    if (op == "<=")
        return column + "<" + past;
    return std::nullopt;
}

} // namespace PeriodRange
