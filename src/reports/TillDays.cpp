#include "reports/TillDays.h"

#include "storage/engine/Database.h"
#include "storage/values/Values.h"

#include <cmath>

namespace {

using Values::sqlQuote;

std::string fen(const std::string& column) {
    return "sum(CAST(round(coalesce(" + column + ",0)*100) AS bigint))";
}

// The file's date-time columns would take a year alone ("2017") for a number,
// which every text passes; each time of the year comes after the year and
// its dash.
std::string range(const std::string& column, const std::string& from, const std::string& to) {
    const bool number = !from.empty() && from.find_first_not_of("0123456789") == std::string::npos;
    return column + ">=" + sqlQuote(number ? from + "-" : from) + " AND " + column + "<" +
           sqlQuote(to);
}

// Sums of fen pass 2^31 within a year; a double holds them exactly.
long long whole(const DbValue& value) {
    return std::llround(value.toNumber());
}

} // namespace

ReadResult<std::vector<KeptSumsReader::Day>> TillDays::orderDays(const std::string& from,
                                                                 const std::string& to) {
    return days("SELECT substr(时间,1,10),count(*)," + fen("实付") + " FROM 存单 WHERE " +
                m_till.condition("收银台") + " AND " + range("时间", from, to) +
                " GROUP BY substr(时间,1,10) ORDER BY 1");
}

// The till is kept with the order only. The lines of the period are read
// from the sale time index, which holds their order's ID, and each is looked
// up among the till's order IDs ("+" keeps SQLite from starting at those
// orders, of every year): the work grows with the period.
ReadResult<std::vector<KeptSumsReader::Day>>
TillDays::lineDays(const std::string& from, const std::string& to, const std::string* dish) {
    return days("SELECT substr(销售时间,1,10),count(*)," + fen("小计") +
                " FROM 存单详单 WHERE +\"存单ID\" IN (SELECT ID FROM 存单 WHERE " +
                m_till.condition("收银台") + ") AND " + range("销售时间", from, to) +
                (dish ? " AND 菜名=" + sqlQuote(*dish) : std::string()) +
                " GROUP BY substr(销售时间,1,10) ORDER BY 1");
}

ReadResult<std::vector<KeptSumsReader::Day>> TillDays::days(const std::string& sql) {
    const ReadResult<Rows> rows = m_db.readOwn(sql);
    if (!rows)
        return rows.readFailure();
    std::vector<KeptSumsReader::Day> found;
    found.reserve(rows->size());
    for (const Rows::Row& row : *rows)
        found.push_back({row.at(0).toText(), whole(row.at(1)), Money::fromFen(whole(row.at(2)))});
    return found;
}
