#include "history/ChangeLogFilter.h"

#include "storage/values/Values.h"

std::optional<HistoryFilter> ChangeLogFilter::condition() const {
    HistoryFilter filter{"", allCaption};
    const bool withPeriod = firstDay && lastDay;
    if (withPeriod) {
        const std::optional<HistoryFilter> period = HistoryFilter::period(*firstDay, *lastDay);
        if (!period)
            return std::nullopt;
        filter.fragment = period->fragment;
    }
    const std::string kindName = kind ? ChangeLog::kindName(*kind) : "";
    if (kind)
        filter.fragment += " and 操作 = " + Values::sqlQuote(kindName);
    if (withPeriod)
        filter.caption = "正在浏览从：" + Values::dateToText(*firstDay) + "到" +
                         Values::dateToText(*lastDay) + " 的" + kindName + "记录";
    else if (kind)
        filter.caption = "正在浏览：" + kindName + " 的记录";
    return filter;
}

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        const std::string::size_type end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

std::vector<bool> differing(const std::vector<std::string>& own,
                            const std::vector<std::string>& other) {
    std::vector<bool> changed;
    for (std::size_t i = 0; i < own.size(); ++i)
        changed.push_back(i >= other.size() || own[i] != other[i]);
    return changed;
}

} // namespace

ChangedLines ChangedLines::of(const std::string& before, const std::string& after) {
    const std::vector<std::string> b = linesOf(before);
    const std::vector<std::string> a = linesOf(after);
    // A record of a deletion or a print has one side only: nothing to compare.
    if (b.empty() || a.empty())
        return {std::vector<bool>(b.size(), false), std::vector<bool>(a.size(), false)};
    return {differing(b, a), differing(a, b)};
}
