#include "orders/RecordedPrint.h"

#include "history/ChangeLog.h"
#include "history/OrderSnapshot.h"
#include "orders/OrderDraft.h"

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
    // The record is committed before the first byte goes to the printer:
    // no transaction waits on a device, which on a server would hold up
    // every other till. Nothing is recorded while the print dialog waits.
    bool asked = false, recorded = false;
    const bool printed = job([&] {
        asked = true;
        recorded = ChangeLog(m_db).write(entry);
        return recorded;
    });
    if (asked && !recorded)
        return {Outcome::NotRecorded, notRecorded};
    if (printed)
        return {Outcome::Printed, {}};
    // The cashier learns that nothing printed either way; a record of it
    // that could not be stored is said too.
    if (recorded && !ChangeLog(m_db).write(ChangeLog::notPrinted(order.orderId, order.number)))
        return {Outcome::NotPrinted, notRecorded};
    return {Outcome::NotPrinted, {}};
}
