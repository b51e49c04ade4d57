#include "orders/RecordedPrint.h"

#include "history/ChangeLog.h"
#include "history/OrderSnapshot.h"
#include "orders/OrderDraft.h"
#include "storage/engine/DbTransaction.h"

#include <optional>

namespace {

OrderSnapshot snapshotOf(const OrderDraft& d) {
    OrderSnapshot s{d.number,         d.orderTime, d.header,  d.shop,         d.table,
                    d.telephone,      d.name,      d.address, d.discountName, d.discountPortions,
                    d.discountAmount, d.total,     d.paid,    d.actuallyPaid, d.paymentMethod,
                    d.remark,         {}};
    for (const OrderLine& line : d.dishLines())
        s.lines.push_back({line.dishName, line.quantity, line.unit, line.subtotal});
    return s;
}

} // namespace

RecordedPrint::Result RecordedPrint::print(const OrderDraft& order, const Job& job) {
    const ChangeLog::Entry entry{order.orderId.empty() ? ChangeLog::Kind::PrintOnly
                                                       : ChangeLog::Kind::Reprint,
                                 order.orderId,
                                 order.number,
                                 {},
                                 snapshotOf(order).text()};
    // The transaction stays open only while the receipt prints, not while
    // the print dialog waits for the cashier.
    std::optional<DbTransaction> transaction;
    bool recorded = false;
    const bool printed = job([&] {
        transaction.emplace(m_db);
        recorded = transaction->started() && ChangeLog(m_db).write(entry);
        return recorded;
    });
    if (transaction && !recorded)
        return {Outcome::NotRecorded, notRecorded};
    if (!printed)
        return {Outcome::NotPrinted, {}};
    if (!transaction || !transaction->commit())
        return {Outcome::NotRecorded, recordLost};
    return {Outcome::Printed, {}};
}
