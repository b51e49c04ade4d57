#include "storage/values/Values.h"
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Values {

std::string numberToText(double v) {
    // Infinite or undefined results must never reach a statement as "inf"/"nan".
    if (!std::isfinite(v) || v == 0)
        return "0";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.13g", v);
    return buffer;
}

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Length of the leading decimal number (sign, digits, fraction, exponent) at
// `pos`, or 0 when there is none. Unlike strtod it takes no hex, inf or nan.
std::size_t numberPrefixLength(const std::string& text, std::size_t pos) {
    std::size_t i = pos;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
                ++j;
            i = j;
        }
    }
    return i - pos;
}

} // namespace

double textToNumber(const std::string& text) {
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    std::size_t length = numberPrefixLength(text, pos);
    if (length == 0)
        return 0;
    double v = std::strtod(text.substr(pos, length).c_str(), nullptr);
    return std::isfinite(v) ? v : 0;
}

std::optional<double> textAsNumber(const std::string& text) {
    std::string trimmed = trim(text);
    if (trimmed.empty() || numberPrefixLength(trimmed, 0) != trimmed.size())
        return std::nullopt;
    double v = std::strtod(trimmed.c_str(), nullptr);
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

int textToInt(const std::string& text) {
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    long long v = 0;
    for (; pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])); ++pos) {
        v = v * 10 + (text[pos] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1)
            break;
    }
    if (negative)
        v = -v;
    // Overlong digit runs saturate instead of wrapping around.
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

int truncateToInt(double v) {
    if (!std::isfinite(v))
        return 0;
    if (v >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (v <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(v);
}

std::string dateToText(const DateTime& dt) {
    return std::to_string(dt.year) + "年" + std::to_string(dt.month) + "月" +
           std::to_string(dt.day) + "日";
}

std::string dateTimeToText(const DateTime& dt) {
    std::string text = dateToText(dt);
    if (dt.second != 0)
        return text + std::to_string(dt.hour) + "时" + std::to_string(dt.minute) + "分" +
               std::to_string(dt.second) + "秒";
    if (dt.minute != 0)
        return text + std::to_string(dt.hour) + "时" + std::to_string(dt.minute) + "分";
    if (dt.hour != 0)
        return text + std::to_string(dt.hour) + "时";
    return text;
}

std::string trim(const std::string& text) {
    static const std::string fullWidthBlank = "\xE3\x80\x80";
    std::size_t begin = 0, end = text.size();
    while (begin < end) {
        if (isBlank(text[begin]))
            ++begin;
        else if (text.compare(begin, 3, fullWidthBlank) == 0)
            begin += 3;
        else
            break;
    }
    while (end > begin) {
        if (isBlank(text[end - 1]))
            --end;
        else if (end - begin >= 3 && text.compare(end - 3, 3, fullWidthBlank) == 0)
            end -= 3;
        else
            break;
    }
    return text.substr(begin, end - begin);
}

double roundTo(double v, int decimals) {
    double scale = std::pow(10.0, decimals);
    double magnitude = std::fabs(v) * scale + 1e-12;
    double whole = std::floor(magnitude);
    if (magnitude - whole >= 0.5)
        whole += 1;
    double result = whole / scale;
    return v < 0 ? -result : result;
}

std::string sqlQuote(const std::string& text) {
    std::string quoted = "'";
    quoted.reserve(text.size() + 2);
    for (char c : text) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    return quoted + "'";
}

} // namespace Values
