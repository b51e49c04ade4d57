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

DbValue firstValue(Database& db, const std::string& sql) {
    const int rs = db.OpenTable(sql);
    DbValue value = db.ReadColByIndex(rs, 1);
    db.CloseTable(rs);
    return value;
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

bool isNumberTaken(Database& db, const DateTime& now, const std::string& number) {
    return firstValue(db, "select count(*) from 存单" + todayCondition(now) + " and 编号=" + number)
               .toInt() > 0;
}

TodayCounters nextOrderNumber(Database& db, const DateTime& now) {
    const std::string where = todayCondition(now);
    TodayCounters counters;
    counters.nextNumber = firstValue(db, "Select max(编号) from 存单" + where).toInt() + 1;
    const std::string count = firstValue(db, "select count(*) from 存单" + where).toText();
    counters.orderCount = count.empty() ? "0" : count;
    counters.income = firstValue(db, "SELECT sum(实付) FROM 存单" + where).toNumber();
    return counters;
}
