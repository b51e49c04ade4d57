#include "shift/ShiftCalculator.h"

#include "history/ChangeLog.h"
#include "orders/OrderNumbering.h"
#include "storage/engine/Database.h"
#include "storage/values/Values.h"

#include <algorithm>

using Values::sqlQuote;

namespace {

// One field of an order as a change record keeps it ("实付：12.5").
std::string recordField(const std::string& record, const std::string& caption) {
    const std::string start = caption + "：";
    for (std::size_t at = 0; at < record.size();) {
        const std::size_t end = std::min(record.find('\n', at), record.size());
        if (record.compare(at, start.size(), start) == 0)
            return record.substr(at + start.size(), end - at - start.size());
        at = end + 1;
    }
    return {};
}

Money cashIn(const std::string& method, Money paid) {
    return method == ShiftCalculator::cashMethod ? paid : Money();
}

Money recordCash(const std::string& record) {
    return cashIn(recordField(record, "支付方式"), Money::fromText(recordField(record, "实付")));
}

std::string dayCondition(const DateTime& day) {
    return " and 时间>cdate(" + sqlQuote(dayStartText(day)) + ") and 时间<=cdate(" +
           sqlQuote(dayEndText(day)) + ")";
}

// The rows of a period up to the highest ID seen at its start.
std::string condition(const ShiftPeriod& period, long long after, long long last) {
    std::string sql = " where ID>" + std::to_string(after) + " and ID<=" + std::to_string(last);
    if (period.kind == ShiftPeriod::Kind::Handover)
        return sql + " and 收银台=" + sqlQuote(period.till) +
               (period.cashier.empty() ? " and (收银员='' or 收银员 is null)"
                                       : " and 收银员=" + sqlQuote(period.cashier));
    return sql + dayCondition(period.day);
}

// Whether a change record's order is one of the period's own, which counts
// as it stands: stored after the period began, and on its day for a day close.
bool ofPeriod(const ShiftPeriod& period, long long orderId, const std::string& before) {
    if (orderId <= period.afterOrderId)
        return false;
    if (period.kind == ShiftPeriod::Kind::Handover)
        return true;
    const auto time = DateTime::parse(recordField(before, "时间"), period.day.year);
    const auto end = DateTime::parse(dayEndText(period.day), period.day.year);
    return time && end && *time > period.day.dateOnly() && *time <= *end;
}

void addPayment(ShiftFigures& figures, const std::string& method, Money paid) {
    auto found = std::find_if(figures.payments.begin(), figures.payments.end(),
                              [&](const PaymentTotal& total) { return total.method == method; });
    if (found == figures.payments.end())
        found = figures.payments.insert(figures.payments.end(), {method, 0, {}});
    ++found->orders;
    found->amount += paid;
}

} // namespace

ReadFailure ShiftCalculator::failure() const {
    return {m_db.lastFailure(), m_db.lastError()};
}

ReadResult<ShiftFigures> ShiftCalculator::figures(const ShiftPeriod& period) const {
    ShiftFigures figures;
    figures.startingFloat = period.startingFloat;
    const ReadResult<DbValue> lastOrder = m_db.readValue("select max(ID) from 存单");
    const ReadResult<DbValue> lastLog =
        lastOrder ? m_db.readValue("select max(ID) from 操作记录") : lastOrder;
    if (!lastLog)
        return lastLog.readFailure();
    figures.lastOrderId = std::max<long long>(period.afterOrderId, lastOrder->toInt());
    figures.lastLogId = std::max<long long>(period.afterLogId, lastLog->toInt());
    if (!addOrders(period, figures) || !addChanges(period, figures))
        return failure();
    return figures;
}

bool ShiftCalculator::addOrders(const ShiftPeriod& period, ShiftFigures& figures) const {
    const ReadResult<Rows> rows =
        // Demo orders never went through the drawer.
        m_db.read("select 支付方式,实付,减免金额 from 存单" +
                  condition(period, period.afterOrderId, figures.lastOrderId) +
                  " and 演示=0 order by ID");
    if (!rows)
        return false;
    for (const Rows::Row& row : *rows) {
        const std::string method = row["支付方式"].toText();
        const Money paid = Money::fromYuan(row["实付"].toNumber());
        const Money discount = Money::fromYuan(row["减免金额"].toNumber());
        ++figures.orders;
        figures.income += paid;
        addPayment(figures, method, paid);
        figures.cashTaken += cashIn(method, paid);
        if (discount.fen() != 0) {
            ++figures.discounted;
            figures.discounts += discount;
        }
    }
    return true;
}

bool ShiftCalculator::addChanges(const ShiftPeriod& period, ShiftFigures& figures) const {
    const ReadResult<Rows> rows =
        m_db.read("select 操作,存单ID,原内容,新内容 from 操作记录" +
                  condition(period, period.afterLogId, figures.lastLogId) + " order by ID");
    if (!rows)
        return false;
    using Kind = ChangeLog::Kind;
    for (const Rows::Row& row : *rows) {
        const std::string kind = row["操作"].toText();
        const std::string before = row["原内容"].toText();
        const bool earlier = !ofPeriod(period, row["存单ID"].toInt(), before);
        if (kind == ChangeLog::kindName(Kind::PrintOnly)) {
            ++figures.printsOnly;
        } else if (kind == ChangeLog::kindName(Kind::Deletion)) {
            ++figures.deletions;
            figures.deleted += Money::fromText(recordField(before, "实付"));
            if (earlier)
                figures.cashChanged += -recordCash(before);
        } else if (kind == ChangeLog::kindName(Kind::Edit)) {
            ++figures.edits;
            if (earlier)
                figures.cashChanged += recordCash(row["新内容"].toText()) - recordCash(before);
        }
    }
    return true;
}
