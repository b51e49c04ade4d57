#include "storage/engine/KeptSumsReader.h"
#include "storage/engine/Database.h"
#include "storage/schema/KeptSums.h"
#include "storage/values/Values.h"

#include <cmath>

namespace {

using Values::sqlQuote;

// Sums of fen pass 2^31 within a year; a double holds them exactly.
long long whole(const DbValue& value) {
    return std::llround(value.toNumber());
}

std::string range(const std::string& from, const std::string& to) {
    return " WHERE 日期>=" + sqlQuote(from) + " AND 日期<" + sqlQuote(to);
}

} // namespace

ReadResult<KeptSumsReader::Total> KeptSumsReader::orders(Orders which) {
    static const char* const prefixes[] = {"", "店内", "外卖"};
    const std::string p = prefixes[static_cast<int>(which)];
    return total("SELECT sum(" + p + "单数),sum(" + p + "实付),sum(" + p + "合计) FROM " +
                 KeptSums::days);
}

ReadResult<KeptSumsReader::Total> KeptSumsReader::orders(const std::string& from,
                                                         const std::string& to) {
    return total(std::string("SELECT sum(单数),sum(实付),sum(合计) FROM ") + KeptSums::days +
                 range(from, to));
}

ReadResult<std::vector<KeptSumsReader::Day>> KeptSumsReader::orderDays(const std::string& from,
                                                                       const std::string& to) {
    return days(std::string("SELECT 日期,单数,实付 FROM ") + KeptSums::days + range(from, to) +
                " AND 单数<>0 ORDER BY 日期");
}

ReadResult<std::vector<KeptSumsReader::Day>>
KeptSumsReader::lineDays(const std::string& from, const std::string& to, const std::string* dish) {
    return days(std::string("SELECT 日期,sum(行数),sum(小计) FROM ") + KeptSums::dishes +
                range(from, to) + (dish ? " AND 菜名=" + sqlQuote(*dish) : std::string()) +
                " GROUP BY 日期 HAVING sum(行数)<>0 ORDER BY 日期");
}

ReadResult<KeptSumsReader::Total> KeptSumsReader::total(const std::string& sql) {
    const ReadResult<Rows> rows = m_db.readOwn(sql);
    if (!rows)
        return rows.readFailure();
    Total result;
    if (rows->empty())
        return result;
    const Rows::Row row = (*rows)[0];
    result.count = whole(row.at(0));
    result.paid = Money::fromFen(whole(row.at(1)));
    result.total = Money::fromFen(whole(row.at(2)));
    return result;
}

ReadResult<std::vector<KeptSumsReader::Day>> KeptSumsReader::days(const std::string& sql) {
    const ReadResult<Rows> rows = m_db.readOwn(sql);
    if (!rows)
        return rows.readFailure();
    std::vector<Day> found;
    found.reserve(rows->size());
    for (const Rows::Row& row : *rows)
        found.push_back(
            {row.at(0).toText(), whole(row.at(1)), Money::fromFen(whole(row.at(2)))});
    return found;
}
