#include "storage/dialect/PeriodRange.h"


#include <cctype>

namespace PeriodRange {

namespace {

using Kind = SqlToken::Kind;

// 'yyyy' -> "dddd", 'yyyy-mm' -> "dddd-dd", 'yyyy-mm-dd' -> "dddd-dd-dd".
bool shapedLike(const std::string& value, const std::string& pattern) {
    if (value.size() != pattern.size())
        return false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(value[i])) != 0;
        if (pattern[i] == '-' ? value[i] != '-' : !digit)
            return false;
    }
    return true;
}

std::size_t next(const std::vector<SqlToken>& t, std::size_t i) {
    for (++i; i < t.size() && t[i].kind == Kind::Blank; ++i) {
    }
    return i;
}

const SqlToken* previous(const std::vector<SqlToken>& t, std::size_t i) {
    while (i > 0)
        if (t[--i].kind != Kind::Blank)
            return &t[i];
    return nullptr;
}

bool isComparison(const SqlToken& token) {
    for (const char* op : {"=", "<", ">", "<=", ">="})
        if (token.isSymbol(op))
            return true;
    return false;
}

// Nothing binds tighter than the comparison on either side ("x || format(...)"
// or "format(...)='20' || '17'" keep their meaning only as they are).
bool opensCondition(const SqlToken* before) {
    if (!before)
        return true;
    for (const char* word : {"where", "and", "or", "not", "having"})
        if (before->isWord(word))
            return true;
    return before->isSymbol("(");
}

bool closesCondition(const std::vector<SqlToken>& t, std::size_t after) {
    if (after >= t.size())
        return true;
    for (const char* word : {"and", "or", "group", "order", "having"})
        if (t[after].isWord(word))
            return true;
    return t[after].isSymbol(")");
}

} // namespace

std::optional<std::string> condition(const std::string& column, const std::string& pattern,
                                     const std::string& op, const std::string& value) {
    const char* separator = pattern == "yyyy" || pattern == "yyyy-mm" ? "-"
                            : pattern == "yyyy-mm-dd"                 ? " "
                                                                      : nullptr;
    if (!separator || !shapedLike(value, pattern))
        return std::nullopt;
    // Neither bound reads as a number, so the column's numeric affinity
    // leaves them text.
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

std::size_t emit(const std::vector<SqlToken>& t, std::size_t at, std::size_t column,
                 std::size_t pattern, std::size_t close, std::string& out) {
    const std::size_t op = next(t, close);
    const std::size_t literal = next(t, op);
    if (op >= t.size() || !isComparison(t[op]) || literal >= t.size() ||
        t[literal].kind != Kind::String || !opensCondition(previous(t, at)) ||
        !closesCondition(t, next(t, literal)))
        return 0;
    const auto range = condition(std::string(t[column].text), t[pattern].value(),
                                 std::string(t[op].text), t[literal].value());
    if (!range)
        return 0;
    out += *range;
    return literal + 1;
}

} // namespace PeriodRange
