#pragma once
#include "history/ChangeLog.h"
#include "history/HistoryFilter.h"
#include "storage/values/DateTime.h"

#include <optional>
#include <string>
#include <vector>

// Which records the window "操作记录" lists: one kind, the days of a period,
// both or all.
struct ChangeLogFilter {
    std::optional<ChangeLog::Kind> kind;
    std::optional<DateTime> firstDay; // the period, when both days are set
    std::optional<DateTime> lastDay;

    // The condition on 操作记录 and the caption; nothing when the period
    // starts after it ends.
    std::optional<HistoryFilter> condition() const;

    static constexpr const char* allCaption = "正在浏览全部操作记录";
};

// For each line of `before`, and then of `after`, whether the other text has
// a different line at the same place, so a side-by-side view can mark what
// an edit changed.
struct ChangedLines {
    std::vector<bool> before;
    std::vector<bool> after;

    static ChangedLines of(const std::string& before, const std::string& after);
};
