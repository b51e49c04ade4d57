#include "storage/values/DateTime.h"
#include "storage/values/Calendar.h"

#include <cstdio>
#include <string_view>

namespace {

// A date text split into its numbers and the separators between them;
// no date text has more than six numbers.
struct Pieces {
    static constexpr std::size_t capacity = 6;
    int numbers[capacity];
    int digitCounts[capacity];
    std::string_view separators[capacity]; // separators[i] follows numbers[i]
    std::size_t count = 0;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<Pieces> split(std::string_view text) {
    Pieces pieces;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (!isDigit(text[pos]) || pieces.count == Pieces::capacity)
            return std::nullopt;
        int value = 0, digits = 0;
        while (pos < text.size() && isDigit(text[pos])) {
            if (++digits > 4)
                return std::nullopt;
            value = value * 10 + (text[pos++] - '0');
        }
        std::size_t separatorBegin = pos;
        while (pos < text.size() && !isDigit(text[pos]))
            ++pos;
        pieces.numbers[pieces.count] = value;
        pieces.digitCounts[pieces.count] = digits;
        pieces.separators[pieces.count++] = text.substr(separatorBegin, pos - separatorBegin);
    }
    return pieces;
}

std::string_view trimBlanks(std::string_view text) {
    std::size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string_view::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(" \t\r\n") - begin + 1);
}

// "2017年5月15日3时7分59秒" with the time part optional and cut at any unit.
std::optional<DateTime> parseChinese(const Pieces& p) {
    static const char* const units[] = {"年", "月", "日", "时", "分", "秒"};
    std::size_t count = p.count;
    if (count < 3)
        return std::nullopt;
    for (std::size_t i = 0; i < count; ++i) {
        std::string_view separator = trimBlanks(p.separators[i]);
        if (separator != units[i])
            return std::nullopt;
    }
    DateTime dt;
    int* fields[] = {&dt.year, &dt.month, &dt.day, &dt.hour, &dt.minute, &dt.second};
    for (std::size_t i = 0; i < count; ++i)
        *fields[i] = p.numbers[i];
    return dt;
}

// Numeric forms: a date of two or three parts joined by '-' or '/', then an
// optional time of two or three parts joined by ':' after blanks.
std::optional<DateTime> parseNumeric(const Pieces& p, int currentYear) {
    std::size_t count = p.count;
    std::string_view dateSeparator = p.separators[0];
    if (count < 2 || (dateSeparator != "-" && dateSeparator != "/"))
        return std::nullopt;
    std::size_t dateParts = count >= 3 && p.separators[1] == dateSeparator ? 3 : 2;
    std::size_t timeParts = count - dateParts;
    if (!p.separators[count - 1].empty() || timeParts == 1 || timeParts > 3)
        return std::nullopt;
    if (timeParts > 0) {
        std::string_view gap = p.separators[dateParts - 1];
        if (gap.empty() || !trimBlanks(gap).empty())
            return std::nullopt;
        for (std::size_t i = dateParts; i + 1 < count; ++i)
            if (p.separators[i] != ":")
                return std::nullopt;
    }

    DateTime dt;
    if (dateParts == 2) {
        dt.year = currentYear;
        dt.month = p.numbers[0];
        dt.day = p.numbers[1];
    } else if (p.digitCounts[0] == 4) {
        dt.year = p.numbers[0];
        dt.month = p.numbers[1];
        dt.day = p.numbers[2];
    } else if (p.digitCounts[2] == 4) {
        dt.month = p.numbers[0];
        dt.day = p.numbers[1];
        dt.year = p.numbers[2];
    } else {
        return std::nullopt;
    }
    if (timeParts > 0) {
        dt.hour = p.numbers[dateParts];
        dt.minute = p.numbers[dateParts + 1];
        if (timeParts == 3)
            dt.second = p.numbers[dateParts + 2];
    }
    return dt;
}

} // namespace

bool DateTime::valid() const {
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= Calendar::daysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 &&
           minute <= 59 && second >= 0 && second <= 59;
}

std::string DateTime::canonical() const {
    if (!valid()) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day,
                      hour, minute, second);
        return buffer;
    }
    std::string text = "0000-00-00 00:00:00";
    auto put = [&text](std::size_t end, int value, int width) {
        for (int i = 0; i < width; ++i, value /= 10)
            text[end - i] = static_cast<char>('0' + value % 10);
    };
    put(3, year, 4);
    put(6, month, 2);
    put(9, day, 2);
    put(12, hour, 2);
    put(15, minute, 2);
    put(18, second, 2);
    return text;
}

std::optional<DateTime> DateTime::fromCanonical(const std::string& text) {
    DateTime dt;
    int consumed = 0;
    if (text.size() != 19 ||
        std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%n", &dt.year, &dt.month, &dt.day,
                    &dt.hour, &dt.minute, &dt.second, &consumed) != 6 ||
        consumed != 19 || !dt.valid())
        return std::nullopt;
    return dt;
}

std::optional<DateTime> DateTime::parse(const std::string& text, int currentYear) {
    std::optional<Pieces> pieces = split(trimBlanks(text));
    if (!pieces || pieces->count == 0)
        return std::nullopt;
    std::optional<DateTime> dt = pieces->separators[0].starts_with("年")
                                     ? parseChinese(*pieces)
                                     : parseNumeric(*pieces, currentYear);
    if (!dt || !dt->valid())
        return std::nullopt;
    return dt;
}
