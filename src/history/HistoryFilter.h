#pragma once
#include "storage/values/DateTime.h"
#include <optional>
#include <string>

// A filter of the order history: the condition it puts on 存单 and the
// caption that tells the cashier what is listed.
struct HistoryFilter {
    std::string fragment;
    std::string caption;
    // What the sums kept per day can total for the filter in place of its rows.
    enum class Kept { None, All, DineIn, TakeOut, Window };
    Kept kept = Kept::None;
    // Window: the orders after `after` up to and including `upTo`, both at midnight.
    DateTime after{};
    DateTime upTo{};
    // Set: the orders of this till only, "" for those stored before tills
    // were named. The fragment holds its condition too.
    std::optional<std::string> till;

    // The same filter (one without a till) for the orders of one till, or
    // of every till when none is given.
    HistoryFilter atTill(const std::optional<std::string>& name) const;
    // " and " and the condition that picks the orders of a till.
    static std::string tillCondition(const std::string& name);
    // How the till of orders stored before tills were named is shown.
    static constexpr const char* unrecordedTill = "（未记录）";

    static HistoryFilter all();
    static HistoryFilter dineIn();
    static HistoryFilter takeOut();
    // Orders after the start of the day up to and including the start of the next.
    static HistoryFilter day(const DateTime& date);
    // Empty when the start lies after the end.
    static std::optional<HistoryFilter> period(const DateTime& start, const DateTime& end);
    static HistoryFilter customer(const std::string& telephone);

    static constexpr const char* allCaption = "正在浏览全部数据";
    static constexpr const char* customerCaptionMark = "正在浏览客户";
    static constexpr const char* periodRefusal = "起始日期不能大于结束日期。";
};

// The calendar day after the given one.
DateTime nextDay(const DateTime& date);
