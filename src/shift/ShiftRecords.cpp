#include "shift/ShiftRecords.h"

#include "orders/OrderNumbering.h"
#include "storage/engine/Database.h"
#include "storage/engine/DbTransaction.h"
#include "storage/values/Clock.h"
#include "storage/values/Values.h"

using Values::sqlQuote;

namespace {

using Kind = ShiftPeriod::Kind;

const char* const handover = "交班";
const char* const dayClose = "日结";
const char* const supplement = "日结补充";

std::string dayText(const DateTime& day) {
    return day.canonical().substr(0, 10);
}

std::string closesOf(const DateTime& day) {
    return " from 交班记录 where 营业日=" + sqlQuote(dayText(day)) + " and 类别 in (" +
           sqlQuote(dayClose) + "," + sqlQuote(supplement) + ")";
}

// Income by payment method, a line each: method, orders and amount between tabs.
std::string paymentsText(const std::vector<PaymentTotal>& payments) {
    std::string text;
    for (const PaymentTotal& p : payments)
        text += p.method + "\t" + std::to_string(p.orders) + "\t" + p.amount.text() + "\n";
    return text;
}

std::vector<PaymentTotal> paymentsFrom(const std::string& text) {
    std::vector<PaymentTotal> payments;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string line = text.substr(at, end - at);
        const std::size_t first = line.find('\t'), second = line.find('\t', first + 1);
        if (second != std::string::npos)
            payments.push_back({line.substr(0, first),
                                Values::textToInt(line.substr(first + 1, second - first - 1)),
                                Money::fromText(line.substr(second + 1))});
        at = end + 1;
    }
    return payments;
}

Kind kindOf(const std::string& name) {
    if (name == dayClose)
        return Kind::DayClose;
    return name == supplement ? Kind::Supplement : Kind::Handover;
}

Money money(const Rows::Row& row, const char* column) {
    return Money::fromYuan(row[column].toNumber());
}

ShiftRecord recordOf(const Rows::Row& row) {
    ShiftRecord r;
    r.id = row["ID"].toInt();
    r.number = row["编号"].toInt();
    r.end = row["结束时间"].toDateTime().canonical();
    ShiftPeriod& p = r.period;
    p.kind = kindOf(row["类别"].toText());
    p.supplemented = row["补充编号"].toInt();
    p.day = DateTime::fromCanonical(row["营业日"].toText() + " 00:00:00").value_or(DateTime{});
    p.start = row["开始时间"].isEmpty() ? "" : row["开始时间"].toDateTime().canonical();
    p.till = row["收银台"].toText();
    p.cashier = row["收银员"].toText();
    p.afterOrderId = row["起始存单ID"].toInt();
    p.afterLogId = row["起始记录ID"].toInt();
    p.startingFloat = money(row, "备用金");
    ShiftFigures& f = r.figures;
    f.lastOrderId = row["截止存单ID"].toInt();
    f.lastLogId = row["截止记录ID"].toInt();
    f.orders = row["订单数"].toInt();
    f.income = money(row, "收入");
    f.payments = paymentsFrom(row["支付明细"].toText());
    f.discounted = row["减免单数"].toInt();
    f.discounts = money(row, "减免金额");
    f.deletions = row["删除单数"].toInt();
    f.deleted = money(row, "删除金额");
    f.edits = row["修改单数"].toInt();
    f.printsOnly = row["打单未结算"].toInt();
    f.startingFloat = p.startingFloat;
    f.cashTaken = money(row, "现金收入");
    f.cashChanged = money(row, "现金变动");
    f.counted = money(row, "实点现金");
    f.left = money(row, "留存备用金");
    return r;
}

} // namespace

ReadFailure ShiftRecords::failure() const {
    return {m_db.lastFailure(), m_db.lastError()};
}

std::string ShiftRecords::closedNote(int number) {
    return "这一天已经日结过（第" + std::to_string(number) + "号日结）";
}

std::string ShiftRecords::closedMessage(int number) {
    return closedNote(number) + "，不能再次日结。";
}

ReadResult<ShiftPeriod> ShiftRecords::nextHandover(const std::string& till,
                                                   const std::string& cashier) const {
    const std::string ofTill = " from 交班记录 where 类别=" + sqlQuote(handover) +
                               " and 收银台=" + sqlQuote(till);
    const ReadResult<Rows> mine = m_db.read("select top 1 *" + ofTill + " and 收银员=" +
                                            sqlQuote(cashier) + " order by ID desc");
    const ReadResult<Rows> tills = mine ? m_db.read("select top 1 *" + ofTill + " order by ID desc")
                                        : mine;
    if (!tills)
        return tills.readFailure();
    ShiftPeriod period{Kind::Handover, till, cashier};
    period.floatCarried = !tills->empty();
    if (period.floatCarried)
        period.startingFloat = money((*tills)[0], "留存备用金");
    const Rows& since = mine->empty() ? *tills : *mine;
    if (!since.empty()) {
        period.afterOrderId = since[0]["截止存单ID"].toInt();
        period.afterLogId = since[0]["截止记录ID"].toInt();
        period.start = since[0]["结束时间"].toDateTime().canonical();
        return period;
    }
    const DateTime today = m_db.clock().now().dateOnly();
    const std::string before = " where 时间<=cdate(" + sqlQuote(dayStartText(today)) + ")";
    const ReadResult<DbValue> orders = m_db.readValue("select max(ID) from 存单" + before);
    const ReadResult<DbValue> logs =
        orders ? m_db.readValue("select max(ID) from 操作记录" + before) : orders;
    if (!logs)
        return logs.readFailure();
    period.afterOrderId = orders->toInt();
    period.afterLogId = logs->toInt();
    period.start = today.canonical();
    return period;
}

ReadResult<int> ShiftRecords::firstClose(const DateTime& day) const {
    const ReadResult<DbValue> number = m_db.readValue("select min(编号)" + closesOf(day));
    if (!number)
        return number.readFailure();
    return number->toInt();
}

ReadResult<ShiftPeriod> ShiftRecords::nextDayClose(const DateTime& day) const {
    const ReadResult<Rows> latest =
        m_db.read("select top 1 编号,截止存单ID,截止记录ID,结束时间" + closesOf(day) +
                  " order by ID desc");
    const ReadResult<int> first = latest ? firstClose(day) : ReadResult<int>(failure());
    if (!first)
        return first.readFailure();
    ShiftPeriod period{Kind::DayClose};
    period.day = day.dateOnly();
    period.start = period.day.canonical();
    if (latest->empty())
        return period;
    period.kind = Kind::Supplement;
    period.supplemented = *first;
    period.afterOrderId = (*latest)[0]["截止存单ID"].toInt();
    period.afterLogId = (*latest)[0]["截止记录ID"].toInt();
    period.start = (*latest)[0]["结束时间"].toDateTime().canonical();
    return period;
}

ReadResult<int> ShiftRecords::nextNumber(Kind kind) const {
    const std::string kinds = kind == Kind::Handover
                                  ? sqlQuote(handover)
                                  : sqlQuote(dayClose) + "," + sqlQuote(supplement);
    const ReadResult<DbValue> last =
        m_db.readValue("select max(编号) from 交班记录 where 类别 in (" + kinds + ")");
    if (!last)
        return last.readFailure();
    return last->toInt() + 1;
}

ShiftRecords::Stored ShiftRecords::store(const ShiftPeriod& period, const ShiftFigures& figures) {
    const auto notStored = [this] {
        return Stored{false, {}, StorageFailures::failed("保存", m_db.lastFailure(), "什么也没有保存。")};
    };
    DbTransaction transaction(m_db);
    if (!transaction.started())
        return notStored();
    if (period.kind == Kind::DayClose) {
        const ReadResult<int> closed = firstClose(period.day);
        if (!closed)
            return notStored();
        if (*closed != 0)
            return {false, {}, closedMessage(*closed)};
    }
    const ReadResult<int> number = nextNumber(period.kind);
    if (!number)
        return notStored();
    const ShiftRecord record{0, *number, m_db.clock().now().canonical(), period, figures};
    if (!m_db.ExecuteSql(insertStatement(record)))
        return notStored();
    const long long id = m_db.lastInsertId();
    if (!transaction.commit())
        return notStored();
    Stored stored{true, record, {}};
    stored.record.id = id;
    return stored;
}

std::string ShiftRecords::insertStatement(const ShiftRecord& r) const {
    const ShiftPeriod& p = r.period;
    const ShiftFigures& f = r.figures;
    const bool counted = p.kind == Kind::Handover;
    const std::pair<const char*, std::string> values[] = {
        {"类别", sqlQuote(p.kindName())},
        {"编号", std::to_string(r.number)},
        {"补充编号", std::to_string(p.supplemented)},
        {"营业日", sqlQuote(counted ? std::string() : dayText(p.day))},
        {"开始时间", p.start.empty() ? "NULL" : sqlQuote(p.start)},
        {"结束时间", sqlQuote(r.end)},
        {"收银台", sqlQuote(p.till)},
        {"收银员", sqlQuote(p.cashier)},
        {"起始存单ID", std::to_string(p.afterOrderId)},
        {"截止存单ID", std::to_string(f.lastOrderId)},
        {"起始记录ID", std::to_string(p.afterLogId)},
        {"截止记录ID", std::to_string(f.lastLogId)},
        {"订单数", std::to_string(f.orders)},
        {"收入", f.income.text()},
        {"支付明细", sqlQuote(paymentsText(f.payments))},
        {"减免单数", std::to_string(f.discounted)},
        {"减免金额", f.discounts.text()},
        {"删除单数", std::to_string(f.deletions)},
        {"删除金额", f.deleted.text()},
        {"修改单数", std::to_string(f.edits)},
        {"打单未结算", std::to_string(f.printsOnly)},
        {"备用金", f.startingFloat.text()},
        {"现金收入", f.cashTaken.text()},
        {"现金变动", f.cashChanged.text()},
        {"应有现金", f.expectedCash().text()},
        {"实点现金", counted ? f.counted.text() : "NULL"},
        {"差额", counted ? f.difference().text() : "NULL"},
        {"留存备用金", counted ? f.left.text() : "NULL"},
    };
    std::string columns, list;
    for (const auto& [column, value] : values) {
        columns += (columns.empty() ? "" : ",") + std::string(column);
        list += (list.empty() ? "" : ",") + value;
    }
    return "insert into 交班记录 (" + columns + ") values (" + list + ")";
}

ReadResult<std::vector<ShiftRecord>> ShiftRecords::list(const std::string& from,
                                                        const std::string& to) const {
    const ReadResult<Rows> rows =
        m_db.read("select * from 交班记录 where 结束时间>=" + sqlQuote(from) + " and 结束时间<=" +
                  sqlQuote(to) + " order by ID desc");
    if (!rows)
        return rows.readFailure();
    std::vector<ShiftRecord> records;
    for (const Rows::Row& row : *rows)
        records.push_back(recordOf(row));
    return records;
}
