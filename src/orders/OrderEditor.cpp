#include "orders/OrderEditor.h"

#include "history/ChangeLog.h"
#include "orders/OrderChecks.h"
#include "orders/OrderTime.h"
#include "storage/engine/Database.h"
#include "storage/engine/DbTransaction.h"
#include "storage/values/Values.h"

#include <algorithm>
#include <cmath>

using Values::sqlQuote;

namespace {

std::string idLiteral(const std::string& idText) {
    return std::to_string(Values::textToInt(idText));
}

std::string numberText(const std::string& text) {
    return Values::numberToText(Values::textToNumber(text));
}

bool isWholeNumber(const std::string& text) {
    const std::string digits = text.starts_with('-') ? text.substr(1) : text;
    return !digits.empty() &&
           std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
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

std::vector<StoredLine> OrderEditor::loadLines(const std::string& idText,
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

std::string OrderEditor::updateStatement(const std::string& id, const OrderDraft& d,
                                         const DateTime& time) {
    const bool settled = std::fabs(Values::textToNumber(d.actuallyPaid)) > 0.0000001;
    return "update 存单 set 编号=" + Values::trim(d.number) + ",票头=" + sqlQuote(d.header) + ",店铺名称=" + sqlQuote(d.shop) + ",时间='" + time.canonical() + "',减免=" + sqlQuote(d.discountName) + ",减免份数=" + numberText(d.discountPortions) +
           ",减免金额=" + numberText(d.discountAmount) + ",合计=" + numberText(d.total) +
           ",支付方式=" + sqlQuote(d.paymentMethod) + ",已付=" + numberText(d.paid) +
           ",实付=" + numberText(d.actuallyPaid) + ",桌号=" + sqlQuote(d.table) + ",电话=" + sqlQuote(d.telephone) + ",姓名=" + sqlQuote(d.name) + ",地址=" + sqlQuote(d.address) + ",是否结算='" + (settled ? "1" : "0") + "',备注=" + sqlQuote(d.remark) + " where ID =" + id;
}

bool OrderEditor::writeLines(const std::string& id, const OrderDraft& draft, const DateTime& time) {
    for (const OrderLine& line : draft.dishLines()) {
        const std::string statement =
            "insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) values (" + id + ",'" +
            time.canonical() + "'," + sqlQuote(line.dishName) + "," +
            std::to_string(Values::textToInt(line.quantity)) + "," + sqlQuote(line.unit) + "," +
            numberText(line.subtotal) + ")";
        if (!m_db.ExecuteSql(statement))
            return false;
    }
    return true;
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
    if (!isWholeNumber(Values::trim(draft.number)))
        return fail("编号必须是整数，订单没有修改。");
    if (const std::string nul = draft.nulRefusal(); !nul.empty())
        return fail(nul + "订单没有修改。");
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
    const StoredOrders orders(m_db);
    const std::optional<std::string> before = orders.recordText(id);
    if (!before)
        return goneOrFailed();
    if (!m_db.ExecuteSql("Delete * from 存单详单 where 存单ID =" + id) ||
        !m_db.ExecuteSql(updateStatement(id, draft, *time)) || !writeLines(id, draft, *time))
        return storageFailed();
    const ChangeLog::Entry record{ChangeLog::Kind::Edit, id, Values::trim(draft.number), *before,
                                  orders.recordText(id).value_or("")};
    if (!ChangeLog(m_db).write(record) || !transaction.commit())
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
    d.lines.clear();
    for (const StoredLine& line : lines)
        d.lines.push_back({line.dish, line.quantity, line.unit, line.subtotal});
    return d;
}
