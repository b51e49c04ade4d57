#include "catalogue/SoldOut.h"

#include "storage/engine/Database.h"
#include "storage/engine/DbTransaction.h"
#include "storage/values/Calendar.h"
#include "storage/values/Values.h"

#include <algorithm>

using Values::sqlQuote;

DateTime SoldOut::dayOf(const DateTime& time) {
    DateTime day = time.dateOnly();
    if (time != day)
        return day;
    if (--day.day < 1) {
        if (--day.month < 1) {
            day.month = 12;
            --day.year;
        }
        day.day = Calendar::daysInMonth(day.year, day.month);
    }
    return day;
}

std::pair<SoldOut::Entry, std::string> SoldOut::entry(const Marks& marks, const std::string& dish) {
    const auto mark = marks.find(dish);
    if (mark == marks.end())
        return {Entry::Free, {}};
    if (mark->second <= 0)
        return {Entry::Refused, "“" + dish + "”今日已估清，不能再点。"};
    return {Entry::Ask,
            "“" + dish + "”今日只剩 " + std::to_string(mark->second) + " 份，是否继续点？"};
}

std::string SoldOut::label(int left) {
    return left <= 0 ? "估清" : "剩" + std::to_string(left);
}

ReadResult<SoldOut::Marks> SoldOut::marks(const DateTime& day) {
    const ReadResult<Rows> rows =
        m_db.read("select 菜名,剩余 from 估清 where 日期=" + sqlQuote(dayText(day)));
    if (!rows)
        return rows.readFailure();
    Marks marks;
    for (const Rows::Row row : *rows)
        marks[row["菜名"].toText()] = row["剩余"].toInt();
    return marks;
}

bool SoldOut::mark(const std::string& dish, int left, const DateTime& day) {
    DbTransaction transaction(m_db);
    return transaction.started() && unmark(dish, day) &&
           m_db.ExecuteSql("insert into 估清 (日期,菜名,剩余) values (" + sqlQuote(dayText(day)) +
                           "," + sqlQuote(dish) + "," + std::to_string(std::max(0, left)) + ")") &&
           transaction.commit();
}

bool SoldOut::unmark(const std::string& dish, const DateTime& day) {
    return m_db.ExecuteSql("delete from 估清 where 日期=" + sqlQuote(dayText(day)) +
                           " and 菜名=" + sqlQuote(dish));
}

std::string SoldOut::take(const Quantities& quantities, const DateTime& day) {
    const ReadResult<Marks> marked = marks(day);
    if (!marked)
        return marked.message("读取估清菜品", "");
    for (const auto& [dish, quantity] : quantities) {
        const auto found = marked->find(dish);
        if (found == marked->end() || quantity <= found->second)
            continue;
        return found->second == 0 ? "“" + dish + "”今日已估清"
                                  : "“" + dish + "”今日只剩 " + std::to_string(found->second) +
                                        " 份，订单点了 " + std::to_string(quantity) + " 份";
    }
    Quantities taken;
    for (const auto& [dish, quantity] : quantities)
        taken[dish] = -quantity;
    return giveBack(taken, day) ? std::string() : "估清菜品的剩余份数没能改写";
}

bool SoldOut::giveBack(const Quantities& quantities, const DateTime& day) {
    for (const auto& [dish, quantity] : quantities)
        if (quantity != 0 &&
            !m_db.ExecuteSql("update 估清 set 剩余=剩余+(" + std::to_string(quantity) +
                             ") where 日期=" + sqlQuote(dayText(day)) +
                             " and 菜名=" + sqlQuote(dish)))
            return false;
    return true;
}

bool SoldOut::giveBackOrder(long long id) {
    const std::string idText = std::to_string(id);
    const ReadResult<DbValue> time = m_db.readValue("select 时间 from 存单 where ID=" + idText);
    if (!time || time->isEmpty())
        return time.ok();
    const ReadResult<Rows> lines =
        m_db.read("select 菜名,数量 from 存单详单 where 存单ID=" + idText);
    if (!lines)
        return false;
    Quantities quantities;
    for (const Rows::Row line : *lines)
        quantities[Values::trim(line["菜名"].toText())] += line["数量"].toInt();
    return giveBack(quantities, dayOf(time->toDateTime()));
}
