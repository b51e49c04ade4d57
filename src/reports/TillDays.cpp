#include "reports/TillDays.h"

#include "storage/engine/Database.h"
#include "storage/values/Values.h"

#include <cmath>

namespace {

using Values::sqlQuote;

std::string fen(const std::string& column) {
    return "sum(CAST(round(coalesce(" + column + ",0)*100) AS bigint))";
}

std::string range(const std::string& column, const std::string& from, const std::string& to) {
    return column + ">=" + sqlQuote(from) + " AND " + column + "<" + sqlQuote(to);
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

// The lines are found by their orders: the till is kept with the order only.
ReadResult<std::vector<KeptSumsReader::Day>>
TillDays::lineDays(const std::string& from, const std::string& to, const std::string* dish) {
    return days("SELECT substr(d.销售时间,1,10),count(*)," + fen("d.小计") +
                " FROM 存单 o JOIN 存单详单 d ON d.\"存单ID\"=o.ID WHERE " +
                m_till.condition("o.收银台") + " AND " + range("d.销售时间", from, to) +
                (dish ? " AND d.菜名=" + sqlQuote(*dish) : std::string()) +
                " GROUP BY substr(d.销售时间,1,10) ORDER BY 1");
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
