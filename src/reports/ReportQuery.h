#pragma once
#include "reports/ReportSheet.h"
#include "storage/values/Money.h"
#include "storage/engine/Database.h"

#include <string>

// Reading for the reports: every record is read before any is used, and a
// read that fails is a failure, never a report of zeros.
namespace ReportQuery {

// Hands every record of the select to onRecord; the number of records, or why
// they could not be read (then none was handed on).
template <typename F>
ReadResult<std::size_t> forEachRecord(Database& db, const std::string& sql, F&& onRecord) {
    const ReadResult<Rows> rows = db.read(sql);
    if (!rows)
        return rows.readFailure();
    for (const Rows::Row& row : *rows)
        onRecord(row);
    return rows->size();
}

struct Totals {
    long long count = 0;
    double sum = 0;
};

// count(*) and sum(...) in the first two columns of the first record; no
// record reads as nothing found.
inline ReadResult<Totals> totals(Database& db, const std::string& sql) {
    const ReadResult<Rows> rows = db.read(sql);
    if (!rows)
        return rows.readFailure();
    Totals result;
    if (rows->empty())
        return result;
    result.count = (*rows)[0].at(0).toInt();
    // Amounts are whole fen: a sum of binary fractions is brought back to the fen.
    result.sum = Money::fromYuan((*rows)[0].at(1).toNumber()).yuan();
    return result;
}

// The sheet marked with what the report says instead of its figures when
// they could not be read.
inline ReportSheet failed(ReportSheet& sheet, const ReadFailure& failure) {
    sheet.setFailure(
        StorageFailures::failed("读取报表数据", failure.cause, "报表没有显示，数据没有改动。"));
    return sheet;
}

} // namespace ReportQuery
