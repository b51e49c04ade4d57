#include "orders/OrderStore.h"

#include "history/ChangeLog.h"
#include "history/StoredOrders.h"
#include "orders/OrderDraft.h"
#include "storage/engine/Database.h"
#include "storage/values/Money.h"
#include "storage/values/Values.h"

#include <cmath>

using Values::sqlQuote;

namespace {

// Numbers enter statements bare, so they are rebuilt from their value:
// "12.50" becomes 12.5, an empty box 0, and no other text gets through.
std::string number(const std::string& text) {
    return Values::numberToText(Values::textToNumber(text));
}

std::string amount(const std::string& text) {
    return Money::fromText(text).text();
}

std::string settled(const OrderStore::Order& o) {
    return std::fabs(Values::textToNumber(o.actuallyPaid)) > 0.0000001 ? "'1'" : "'0'";
}

// The row's columns in the order of rowValues.
constexpr const char* rowColumns = "编号,票头,店铺名称,时间,减免,减免份数,减免金额,合计,支付方式,"
                                   "已付,实付,桌号,电话,姓名,地址,是否结算,备注,抹零金额";

std::vector<std::string> rowValues(const OrderStore::Order& o) {
    return {std::to_string(Values::textToInt(o.number)),
            sqlQuote(o.header),
            sqlQuote(o.shop),
            sqlQuote(o.time),
            sqlQuote(o.discountName),
            number(o.discountPortions),
            amount(o.discountAmount),
            amount(o.total),
            sqlQuote(o.paymentMethod),
            amount(o.paid),
            amount(o.actuallyPaid),
            sqlQuote(o.table),
            sqlQuote(o.telephone),
            sqlQuote(o.name),
            sqlQuote(o.address),
            settled(o),
            sqlQuote(o.remark),
            // Older orders hold no rounding; an order without one keeps it so.
            o.rounding.empty() ? "NULL" : amount(o.rounding)};
}

// The till and cashier that take an order are written with it; an edit keeps them.
std::string insertStatement(const OrderStore::Order& o, const Database& db) {
    std::string values;
    for (const std::string& value : rowValues(o))
        values += (values.empty() ? "" : ",") + value;
    return std::string("insert into 存单 (") + rowColumns + ",收银台,收银员" +
           (o.demo ? ",演示" : "") + ") values (" + values + "," + sqlQuote(db.tillName()) + "," +
           sqlQuote(db.cashierName()) + (o.demo ? ",'1'" : "") + ")";
}

std::string updateStatement(long long id, const OrderStore::Order& o) {
    const std::vector<std::string> values = rowValues(o);
    std::string columns = rowColumns, assignments;
    std::size_t start = 0;
    for (const std::string& value : values) {
        const std::size_t comma = columns.find(',', start);
        assignments +=
            (assignments.empty() ? "" : ",") + columns.substr(start, comma - start) + "=" + value;
        start = comma + 1;
    }
    return "update 存单 set " + assignments + " where ID =" + std::to_string(id);
}

} // namespace

OrderStore::Order OrderStore::fromDraft(const OrderDraft& d, const std::string& number,
                                        const std::string& time) {
    Order o{
        number,           d.header, d.shop,          time,     d.discountName, d.discountPortions,
        d.discountAmount, d.total,  d.paymentMethod, d.paid,   d.actuallyPaid, d.table,
        d.telephone,      d.name,   d.address,       d.remark, d.rounding,     {},
        false};
    for (const OrderLine& line : d.dishLines())
        o.lines.push_back({line.dishName, line.quantity, line.unit, line.subtotal});
    return o;
}

long long OrderStore::insert(const Order& order) {
    if (!m_db.ExecuteSql(insertStatement(order, m_db)))
        return 0;
    // The new row's own ID: a lookup by time and number could also match an
    // order stored earlier at the same minute with the same number.
    const long long id = m_db.lastInsertId();
    return id > 0 && insertLines(id, order) ? id : 0;
}

bool OrderStore::replace(long long id, const Order& order) {
    const std::string idText = std::to_string(id);
    const StoredOrders orders(m_db);
    const std::optional<std::string> before = orders.recordText(idText);
    if (!before || !m_db.ExecuteSql("Delete * from 存单详单 where 存单ID =" + idText) ||
        !m_db.ExecuteSql(updateStatement(id, order)) || !insertLines(id, order))
        return false;
    const std::optional<std::string> after = orders.recordText(idText);
    return after &&
           ChangeLog(m_db).write({ChangeLog::Kind::Edit, idText, order.number, *before, *after});
}

bool OrderStore::insertLines(long long id, const Order& order) {
    for (const Line& line : order.lines)
        if (!m_db.ExecuteSql("insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) values (" +
                             std::to_string(id) + "," + sqlQuote(order.time) + "," +
                             sqlQuote(line.dish) + "," +
                             std::to_string(Values::textToInt(line.quantity)) + "," +
                             sqlQuote(line.unit) + "," + amount(line.subtotal) + ")"))
            return false;
    return true;
}
