#include "history/HistoryFilter.h"

#include "storage/values/Values.h"

#include <chrono>

DateTime nextDay(const DateTime& date) {
    using namespace std::chrono;
    const year_month_day ymd{year{date.year}, month{static_cast<unsigned>(date.month)},
                             std::chrono::day{static_cast<unsigned>(date.day)}};
    const year_month_day next{sys_days{ymd} + days{1}};
    return {static_cast<int>(next.year()),
            static_cast<int>(static_cast<unsigned>(next.month())),
            static_cast<int>(static_cast<unsigned>(next.day())),
            0,
            0,
            0};
}

namespace {

std::string dateWindow(const DateTime& start, const DateTime& end) {
    return " and 时间>cdate(" + Values::sqlQuote(Values::dateToText(start)) + ") and 时间<=cdate(" +
           Values::sqlQuote(Values::dateToText(nextDay(end))) + ")";
}

HistoryFilter window(const DateTime& start, const DateTime& end, std::string caption) {
    return {dateWindow(start, end), std::move(caption), HistoryFilter::Kept::Window,
            start.dateOnly(), nextDay(end)};
}

} // namespace

HistoryFilter HistoryFilter::all() {
    return {"", allCaption, Kept::All};
}

HistoryFilter HistoryFilter::dineIn() {
    return {" and 桌号 <> ''", "正在浏览店内数据", Kept::DineIn};
}

HistoryFilter HistoryFilter::takeOut() {
    return {" and 地址 <> ''", "正在浏览外卖数据", Kept::TakeOut};
}

HistoryFilter HistoryFilter::day(const DateTime& date) {
    return window(date, date, "正在浏览：" + Values::dateToText(date) + " 的数据");
}

std::optional<HistoryFilter> HistoryFilter::period(const DateTime& start, const DateTime& end) {
    if (start.dateOnly() > end.dateOnly())
        return std::nullopt;
    return window(start, end,
                  "正在浏览从：" + Values::dateToText(start) + "到" + Values::dateToText(end) +
                      " 的数据");
}

HistoryFilter HistoryFilter::customer(const std::string& telephone) {
    return {" and 电话 = " + Values::sqlQuote(telephone), "正在浏览客户：" + telephone + " 的数据"};
}

std::string HistoryFilter::tillCondition(const std::string& name) {
    return name.empty() ? " and (收银台 is null or 收银台 = '')"
                        : " and 收银台 = " + Values::sqlQuote(name);
}

HistoryFilter HistoryFilter::atTill(const std::optional<std::string>& name) const {
    HistoryFilter filter = *this;
    if (!name)
        return filter;
    filter.till = name;
    filter.fragment += tillCondition(*name);
    filter.caption += "（收银台：" + (name->empty() ? std::string(unrecordedTill) : *name) + "）";
    return filter;
}
