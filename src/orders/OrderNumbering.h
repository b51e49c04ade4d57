#pragma once
#include "storage/engine/ReadResult.h"
#include "storage/values/DateTime.h"

#include <string>

class Database;

// The number the next settled order of the day gets, and today's figures for
// the status bar.
struct TodayCounters {
    int nextNumber = 1;
    std::string orderCount = "0";
    double income = 0;
    std::string countCaption() const;  // "今日打单数量：" + count
    std::string incomeCaption() const; // "今日收入总额：" + income

    // The status bar when today's orders could not be read: never a 0 that
    // looks like a quiet day.
    static constexpr const char* unreadCountCaption = "今日打单数量：无法读取";
    static constexpr const char* unreadIncomeCaption = "今日收入总额：无法读取";
};

// Numbers are max + 1 over the orders of `now`'s day, so they restart at 1 each
// day and never reuse a number left by a deleted order. An order belongs to a
// day when its time is after that day's 00:00 and not after the next day's.
// A failed read is a failure, never the first number of a day.
ReadResult<TodayCounters> nextOrderNumber(Database& db, const DateTime& now);

// Whether an order of `now`'s day already carries `number` (bare digits).
ReadResult<bool> isNumberTaken(Database& db, const DateTime& now, const std::string& number);

// The date-only texts that bound the day of `now`.
std::string dayStartText(const DateTime& now);
std::string dayEndText(const DateTime& now);
