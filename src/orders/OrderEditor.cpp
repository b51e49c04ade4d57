#include "orders/OrderEditor.h"

#include "orders/OrderChecks.h"
#include "orders/OrderStore.h"
#include "orders/OrderTime.h"
#include "storage/engine/Database.h"
#include "storage/engine/DbTransaction.h"
#include "storage/values/Values.h"

namespace {

std::string idLiteral(const std::string& idText) {
    return std::to_string(Values::textToInt(idText));
}

} // namespace

std::optional<StoredOrder> OrderEditor::loadOrder(const std::string& idText) const {
    return StoredOrders(m_db).loadOrder(idText);
}

std::string OrderEditor::loadFailure() const {
    const StorageFailure failure = m_db.lastFailure();
    if (StorageFailures::reason(failure).empty())
        return orderGone;
    return StorageFailures::failed("读取订单", failure, "主界面上的订单没有改动。");
}

ReadResult<std::vector<StoredLine>> OrderEditor::loadLines(const std::string& idText,
                                                           const std::string& dateText) const {
    return StoredOrders(m_db).findOrderLines(idText, dateText);
}

std::optional<DateTime> OrderEditor::resolveTime(const std::string& timeText,
                                                 const DateTime& stored) {
    const std::optional<DateTime> typed = DateTime::parse(Values::trim(timeText), stored.year);
    if (!typed)
        return std::nullopt;
    DateTime storedMinute = stored;
    storedMinute.second = 0;
    DateTime typedMinute = *typed;
    typedMinute.second = 0;
    return typedMinute == storedMinute ? stored : *typed;
}

std::optional<DateTime> OrderEditor::storedTime(const std::string& id) const {
    const int handle = m_db.OpenTable("Select 时间 from 存单 where ID =" + id);
    std::optional<DateTime> time;
    if (handle != 0 && !m_db.IsEOF(handle))
        time = m_db.ReadColByIndex(handle, 1).toDateTime();
    m_db.CloseTable(handle);
    return time;
}

OrderEditor::Result OrderEditor::fail(const std::string& message) {
    return {Outcome::Failed, message};
}

// The transaction's guard rolls back after the message is taken.
OrderEditor::Result OrderEditor::storageFailed() {
    return fail(StorageFailures::failed("保存", m_db.lastFailure(), "订单没有修改。"));
}

OrderEditor::Result OrderEditor::goneOrFailed() {
    return StorageFailures::reason(m_db.lastFailure()).empty() ? fail(orderGone) : storageFailed();
}

OrderEditor::Result OrderEditor::saveEditedOrder(const OrderDraft& draft) {
    if (draft.dishLines().empty())
        return {Outcome::NoLines, noLines};
    const std::string number = Values::trim(draft.number);
    if (!OrderChecks::isOrderNumber(number))
        return fail("编号必须是整数，订单没有修改。");
    if (const std::string bad = draft.textRefusal(); !bad.empty())
        return fail(bad + "订单没有修改。");
    if (const std::string field = OrderChecks::fieldBeyondColumn(draft); !field.empty())
        return fail(field + "，订单没有修改。");
    const std::string id = idLiteral(draft.orderId);
    const std::optional<DateTime> stored = storedTime(id);
    if (!stored)
        return goneOrFailed();
    const std::optional<DateTime> time = resolveTime(draft.orderTime, *stored);
    if (!time)
        return fail("下单时间无法识别，订单没有修改。");
    DbTransaction transaction(m_db);
    if (!transaction.started())
        return storageFailed();
    const OrderStore::Order order = OrderStore::fromDraft(draft, number, time->canonical());
    if (!OrderStore(m_db).replace(Values::textToInt(id), order))
        return goneOrFailed();
    if (!transaction.commit())
        return storageFailed();
    return {Outcome::Saved, savedQuestion};
}

OrderDraft OrderEditor::loadedDraft(const OrderDraft& onScreen, const StoredOrder& order,
                                    const std::vector<StoredLine>& lines, int timeFormat) {
    OrderDraft d = onScreen;
    d.orderId = order.id;
    d.number = order.number;
    d.header = order.header;
    d.shop = order.shop;
    d.orderTime = OrderTime::format(order.time, timeFormat);
    d.discountName = order.discount;
    d.discountPortions = order.discountPortions;
    d.discountAmount = order.discountAmount;
    d.total = order.total;
    d.paymentMethod = order.paymentMethod;
    d.paid = order.paid;
    d.actuallyPaid = order.actuallyPaid;
    d.table = order.table;
    d.telephone = order.telephone;
    d.name = order.name;
    d.address = order.address;
    d.remark = order.remark;
    d.rounding = order.rounding;
    d.lines.clear();
    for (const StoredLine& line : lines)
        d.lines.push_back({line.dish, line.quantity, line.unit, line.subtotal});
    return d;
}
