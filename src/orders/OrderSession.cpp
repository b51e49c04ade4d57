#include "orders/OrderSession.h"

#include "orders/OrderNumbering.h"
#include "orders/OrderReceipt.h"
#include "storage/values/Clock.h"
#include "storage/values/Values.h"

ReceiptOrder OrderSession::receipt() const {
    return receiptOrderOf(m_order);
}

OrderSession::SettleKey OrderSession::settleKey() const {
    switch (m_mode) {
    case Mode::New:
        return SettleKey::Settle;
    case Mode::Editing:
        return SettleKey::SaveEdit;
    case Mode::StoredNotPrinted:
        // Storing it again would count it twice.
        break;
    }
    return SettleKey::Nothing;
}

Settlement::Result OrderSession::settle(const Print& print,
                                        const std::function<void()>& whenStored) {
    if (m_mode != Mode::New)
        return {Settlement::Outcome::NotStored, alreadyStored};
    if (m_numberUnread && Values::trim(m_order.number).empty() && Settlement::hasDishes(m_order)) {
        const ReadResult<TodayCounters> next = nextOrderNumber(m_db, m_clock.now());
        if (!next)
            return Settlement::numberUnread(next.readFailure());
        m_order.number = std::to_string(next->nextNumber);
    }
    Settlement settlement(m_db, m_clock);
    settlement.storeAlongWith(m_alongWith);
    Settlement::Result result = settlement.settle(m_order, [&](bool withCopies) {
        // Another till sharing the server may have taken the number shown;
        // the receipt prints the one stored.
        m_order.number = settlement.storedNumber();
        m_order.orderId = std::to_string(settlement.storedId());
        m_mode = Mode::StoredNotPrinted;
        if (whenStored)
            whenStored();
        return print(receipt(), withCopies, true, {});
    });
    if (result.outcome == Settlement::Outcome::NotPrinted)
        m_order.orderId = std::to_string(result.orderId);
    return result;
}

Settlement::Result OrderSession::printOnly(const Print& print) {
    return Settlement(m_db, m_clock).printOnly(m_order, [&](const auto& startJob) {
        return print(receipt(), false, false, startJob);
    });
}

OrderEditor::Result OrderSession::saveEdit() {
    return OrderEditor(m_db).saveEditedOrder(m_order);
}

RecordedPrint::Result OrderSession::printStored(const Print& print) {
    return RecordedPrint(m_db).print(
        m_order, [&](const auto& startJob) { return print(receipt(), true, false, startJob); });
}

void OrderSession::clear(std::optional<int> nextNumber) {
    m_numberUnread = !nextNumber;
    m_order = m_order.cleared(nextNumber);
    m_cleared = m_order;
    m_mode = Mode::New;
}

bool OrderSession::untouched() const {
    // The grid shows empty rows that a cleared order does not hold.
    const auto comparable = [](OrderDraft draft) {
        draft.lines = draft.dishLines();
        return draft;
    };
    OrderDraft now = comparable(m_order);
    now.number = m_cleared.number;
    now.orderTime = m_cleared.orderTime;
    return m_mode == Mode::New && now == comparable(m_cleared);
}

void OrderSession::showNotPrinted(const OrderDraft& stored) {
    m_order = stored;
    m_mode = Mode::StoredNotPrinted;
}

void OrderSession::beginEditing(const StoredOrder& order, const std::vector<StoredLine>& lines,
                                int timeFormat) {
    m_order = OrderEditor::loadedDraft(m_order, order, lines, timeFormat);
    m_mode = Mode::Editing;
}
