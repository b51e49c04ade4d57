#include "orders/OwedReceipts.h"

#include "history/ChangeLog.h"
#include "history/StoredOrders.h"
#include "orders/OrderEditor.h"
#include "storage/engine/Database.h"
#include "storage/values/Clock.h"
#include "storage/values/Values.h"

#include <algorithm>

namespace {

using Kind = ChangeLog::Kind;

// The IDs of the orders whose last word today was "not printed" at this till;
// a reprint at any till settles it.
ReadResult<std::vector<std::string>> owedIds(Database& db) {
    const std::string dayStart = db.clock().now().canonical().substr(0, 10) + " 00:00:00";
    const std::string notPrinted = ChangeLog::kindName(Kind::NotPrinted);
    const ReadResult<Rows> rows =
        db.read("select 存单ID,操作,收银台 from 操作记录 where 存单ID is not null and 时间>=" +
                Values::sqlQuote(dayStart) + " and 操作 in (" + Values::sqlQuote(notPrinted) + "," +
                Values::sqlQuote(ChangeLog::kindName(Kind::Reprint)) + ") order by ID");
    if (!rows)
        return rows.readFailure();
    std::vector<std::string> owed;
    for (const Rows::Row& row : *rows) {
        const std::string id = row.at(0).toText();
        std::erase(owed, id);
        if (row.at(1).toText() == notPrinted && row.at(2).toText() == db.tillName())
            owed.push_back(id);
    }
    return owed;
}

} // namespace

ReadResult<std::vector<OrderDraft>> OwedReceipts::today(Database& db, int timeFormat) {
    const ReadResult<std::vector<std::string>> ids = owedIds(db);
    if (!ids)
        return ids.readFailure();
    const StoredOrders stored(db);
    std::vector<OrderDraft> owed;
    for (const std::string& id : *ids) {
        const std::optional<StoredOrder> order = stored.loadOrder(id);
        if (!order && db.lastFailure() != StorageFailure::None)
            return ReadFailure{db.lastFailure(), db.lastError()};
        if (!order)
            continue; // deleted since: nothing left to print
        const ReadResult<std::vector<StoredLine>> lines = stored.allLines(id);
        if (!lines)
            return lines.readFailure();
        owed.push_back(OrderEditor::loadedDraft(OrderDraft{}, *order, *lines, timeFormat));
    }
    return owed;
}
