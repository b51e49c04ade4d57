#pragma once
#include <optional>
#include <string>

// A calendar date and time of day, as the date-time columns hold it.
struct DateTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;

    // Stored form, "YYYY-MM-DD HH:MM:SS": text order is time order.
    std::string canonical() const;
    static std::optional<DateTime> fromCanonical(const std::string& text);

    // Texts that a date-time column accepts, as the Access driver read them:
    // "05-15 12:30" (in currentYear), "2017/05/15 09:05", "2017-05-15 09:05",
    // "2017/5/15 3:7", "2017年5月15日3时7分", "2017年5月15日", canonical text.
    static std::optional<DateTime> parse(const std::string& text, int currentYear);

    DateTime dateOnly() const { return {year, month, day, 0, 0, 0}; }
    bool valid() const;
    auto operator<=>(const DateTime&) const = default;
};
