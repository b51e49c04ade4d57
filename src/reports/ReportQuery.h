#pragma once
#include "storage/values/Money.h"
#include "storage/engine/Database.h"

#include <string>

// Record-set walking for the reports: every set is closed before return.
namespace ReportQuery {

template <typename F> void forEachRecord(Database& db, const std::string& sql, F&& onRecord) {
    const int handle = db.OpenTable(sql);
    if (handle == 0)
        return;
    for (; !db.IsEOF(handle); db.MoveNext(handle))
        onRecord(handle);
    db.CloseTable(handle);
}

struct Totals {
    long long count = 0;
    double sum = 0;
};

// count(*) and sum(...) in the first two columns of the first record; a
// failed statement or no record reads as nothing found.
inline Totals totals(Database& db, const std::string& sql) {
    Totals result;
    const int handle = db.OpenTable(sql);
    if (handle == 0)
        return result;
    result.count = db.ReadColByIndex(handle, 1).toInt();
    // Amounts are whole fen: a sum of binary fractions is brought back to the fen.
    result.sum = Money::fromYuan(db.ReadColByIndex(handle, 2).toNumber()).yuan();
    db.CloseTable(handle);
    return result;
}

} // namespace ReportQuery
