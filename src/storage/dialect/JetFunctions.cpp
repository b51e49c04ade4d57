#include "storage/dialect/JetFunctions.h"
#include "storage/values/Clock.h"
#include "storage/values/Values.h"
#include <cmath>
#include <cstdio>
#include <optional>
#include <sqlite3.h>
#include <utility>

namespace JetFunctions {
namespace {

std::string padded(int v, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, v);
    return buffer;
}

std::string argumentText(sqlite3_value* v) {
    const unsigned char* p = sqlite3_value_text(v);
    return p ? std::string(reinterpret_cast<const char*>(p),
                           static_cast<std::size_t>(sqlite3_value_bytes(v)))
             : std::string();
}

int currentYear(sqlite3_context* context) {
    const auto* clock = static_cast<const Clock*>(sqlite3_user_data(context));
    return clock->now().year;
}

std::optional<DateTime> dateArgument(sqlite3_context* context, sqlite3_value* v) {
    if (sqlite3_value_type(v) != SQLITE_TEXT)
        return std::nullopt;
    return DateTime::parse(argumentText(v), currentYear(context));
}

std::optional<double> numberArgument(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return sqlite3_value_double(v);
    case SQLITE_TEXT:
        return Values::textAsNumber(argumentText(v));
    default:
        return std::nullopt;
    }
}

void refuse(sqlite3_context* context, sqlite3_value* v, const char* what) {
    std::string message = "值“" + argumentText(v) + "”" + what;
    sqlite3_result_error(context, message.c_str(), static_cast<int>(message.size()));
}

void resultText(sqlite3_context* context, const std::string& text) {
    sqlite3_result_text(context, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void jetDateTime(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(context);
    if (auto dt = dateArgument(context, argv[0]))
        return resultText(context, dt->canonical());
    refuse(context, argv[0], "不是有效的日期时间。");
}

// The argument as a number, or nothing once the result is set: null for a
// null argument, an error for a value that is no number.
std::optional<double> numberToConvert(sqlite3_context* context, sqlite3_value* v) {
    if (sqlite3_value_type(v) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return std::nullopt;
    }
    auto number = numberArgument(v);
    if (!number)
        refuse(context, v, "不是数字。");
    return number;
}

void jetWhole(sqlite3_context* context, int, sqlite3_value** argv) {
    auto v = numberToConvert(context, argv[0]);
    if (!v)
        return;
    if (std::fabs(*v) >= 9.2e18)
        return refuse(context, argv[0], "不是数字。");
    sqlite3_result_int64(context, static_cast<sqlite3_int64>(Values::roundTo(*v, 0)));
}

void jetSingle(sqlite3_context* context, int, sqlite3_value** argv) {
    auto v = numberToConvert(context, argv[0]);
    if (!v)
        return;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.7g", *v);
    sqlite3_result_double(context, std::strtod(buffer, nullptr));
}

void jetMoney(sqlite3_context* context, int, sqlite3_value** argv) {
    if (auto v = numberToConvert(context, argv[0]))
        sqlite3_result_double(context, Values::roundTo(*v, 2));
}

void jetNumber(sqlite3_context* context, int, sqlite3_value** argv) {
    if (auto v = numberToConvert(context, argv[0]))
        sqlite3_result_double(context, *v);
}

void jetYesNo(sqlite3_context* context, int, sqlite3_value** argv) {
    std::string text = Values::trim(argumentText(argv[0]));
    if (text == "true" || text == "True" || text == "TRUE")
        return sqlite3_result_int(context, 1);
    if (text == "false" || text == "False" || text == "FALSE")
        return sqlite3_result_int(context, 0);
    auto v = numberArgument(argv[0]);
    if (!v)
        return refuse(context, argv[0], "不是是/否值。");
    sqlite3_result_int(context, *v != 0 ? 1 : 0);
}

void jetFormat(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(context);
    std::string pattern = argumentText(argv[1]);
    if (auto dt = dateArgument(context, argv[0]))
        return resultText(context, formatDateTime(*dt, pattern));
    if (auto v = numberArgument(argv[0]))
        return resultText(context, Values::numberToText(*v));
    resultText(context, argumentText(argv[0]));
}

// What the letters m, d, h, n and s stand for: one digit, or two when the
// letter is doubled.
std::optional<int> numberPart(const DateTime& dt, char letter, bool afterHour) {
    const std::pair<char, int> parts[] = {{'m', afterHour ? dt.minute : dt.month},
                                          {'d', dt.day},
                                          {'h', dt.hour},
                                          {'n', dt.minute},
                                          {'s', dt.second}};
    for (const auto& [c, value] : parts)
        if (c == letter)
            return value;
    return std::nullopt;
}

} // namespace

std::string formatDateTime(const DateTime& dt, const std::string& pattern) {
    std::string out;
    bool afterHour = false;
    for (std::size_t i = 0; i < pattern.size();) {
        char c = pattern[i];
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        if (c == 'y')
            out += run >= 3 ? padded(dt.year, 4) : padded(dt.year % 100, 2);
        else if (c == 'q')
            out += std::to_string((dt.month - 1) / 3 + 1);
        else if (auto part = numberPart(dt, c, afterHour))
            out += padded(*part, run >= 2 ? 2 : 1);
        else
            out.append(pattern, i, run);
        if (c == 'h')
            afterHour = true;
        else if (c != ':' && c != ' ')
            afterHour = false;
        i += run;
    }
    return out;
}

bool registerAll(sqlite3* db, const Clock* clock) {
    using Function = void (*)(sqlite3_context*, int, sqlite3_value**);
    static const struct {
        const char* name;
        int arguments;
        Function function;
    } functions[] = {{"jet_datetime", 1, jetDateTime}, {"jet_whole", 1, jetWhole},
                     {"jet_single", 1, jetSingle},     {"jet_number", 1, jetNumber},
                     {"jet_money", 1, jetMoney},
                     {"jet_yesno", 1, jetYesNo},       {"jet_cdate", 1, jetDateTime},
                     {"jet_format", 2, jetFormat}};
    for (const auto& f : functions)
        if (sqlite3_create_function_v2(db, f.name, f.arguments, SQLITE_UTF8,
                                       const_cast<Clock*>(clock), f.function, nullptr, nullptr,
                                       nullptr) != SQLITE_OK)
            return false;
    return true;
}

} // namespace JetFunctions
