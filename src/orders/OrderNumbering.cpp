#include "orders/OrderNumbering.h"
#include "storage/values/Money.h"

#include "storage/engine/Database.h"
#include "storage/values/Calendar.h"
#include "storage/values/Values.h"

namespace {

DateTime nextDay(const DateTime& d) {
    DateTime next = d.dateOnly();
    if (++next.day > Calendar::daysInMonth(next.year, next.month)) {
        next.day = 1;
        if (++next.month > 12) {
            next.month = 1;
            ++next.year;
        }
    }
    return next;
}

std::string todayCondition(const DateTime& now) {
    return " where  时间>cdate(" + Values::sqlQuote(dayStartText(now)) + ") and 时间<=cdate(" +
           Values::sqlQuote(dayEndText(now)) + ")";
}

} // namespace

std::string TodayCounters::countCaption() const {
    return "今日打单数量：" + orderCount;
}

std::string TodayCounters::incomeCaption() const {
    return "今日收入总额：" + Money::fromYuan(income).text();
}

std::string dayStartText(const DateTime& now) {
    return Values::dateToText(now.dateOnly());
}

std::string dayEndText(const DateTime& now) {
    return Values::dateToText(nextDay(now));
}

ReadResult<bool> isNumberTaken(Database& db, const DateTime& now, const std::string& number) {
    const ReadResult<DbValue> taken =
        db.readValue("select count(*) from 存单" + todayCondition(now) + " and 编号=" + number);
    if (!taken)
        return taken.readFailure();
    return taken->toInt() > 0;
}

ReadResult<TodayCounters> nextOrderNumber(Database& db, const DateTime& now) {
    const std::string where = todayCondition(now);
    TodayCounters counters;
    const ReadResult<DbValue> highest = db.readValue("Select max(编号) from 存单" + where);
    if (!highest)
        return highest.readFailure();
    counters.nextNumber = highest->toInt() + 1;
    const ReadResult<DbValue> count = db.readValue("select count(*) from 存单" + where);
    if (!count)
        return count.readFailure();
    counters.orderCount = count->toText().empty() ? "0" : count->toText();
    const ReadResult<DbValue> income = db.readValue("SELECT sum(实付) FROM 存单" + where);
    if (!income)
        return income.readFailure();
    counters.income = income->toNumber();
    return counters;
}
