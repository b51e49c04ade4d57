#include "held/HeldOrders.h"

#include "orders/OrderChecks.h"
#include "storage/engine/Database.h"
#include "storage/engine/DbTransaction.h"
#include "storage/values/Clock.h"
#include "storage/values/Money.h"
#include "storage/values/Values.h"

#include <cstdio>
#include <ctime>

using Values::sqlQuote;

namespace {

std::string amount(const std::string& text) {
    return Money::fromText(text).text();
}

// A box left empty comes back empty, not as 0.
std::string orNull(const std::string& typed, const std::string& value) {
    return Values::trim(typed).empty() ? "NULL" : value;
}

std::string shortTime(const DateTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d %02d:%02d", t.month, t.day, t.hour, t.minute);
    return text;
}

std::string who(const Rows::Row& row) {
    const std::string table = row["桌号"].toText();
    if (!table.empty())
        return table;
    const std::string customer = Values::trim(row["姓名"].toText() + " " +
                                              row["电话"].toText() + " " + row["地址"].toText());
    return customer.empty() ? "散客" : customer;
}

std::string idText(long long id) {
    return std::to_string(id);
}

constexpr const char* rowColumns =
    "挂起时间,收银台,票头,店铺名称,桌号代码,桌号,电话,姓名,地址,减免,"
    "减免份数,减免金额,合计,支付方式,已付,实付,抹零金额,备注";

std::string rowValues(const OrderDraft& o, const std::string& heldAt, const std::string& till) {
    const std::vector<std::string> values = {
        sqlQuote(heldAt),
        sqlQuote(till),
        sqlQuote(o.header),
        sqlQuote(o.shop),
        sqlQuote(o.tableCode),
        sqlQuote(o.table),
        sqlQuote(o.telephone),
        sqlQuote(o.name),
        sqlQuote(o.address),
        sqlQuote(o.discountName),
        orNull(o.discountPortions,
               std::to_string(Values::truncateToInt(Values::textToNumber(o.discountPortions)))),
        orNull(o.discountAmount, amount(o.discountAmount)),
        amount(o.total),
        sqlQuote(o.paymentMethod),
        amount(o.paid),
        amount(o.actuallyPaid),
        orNull(o.rounding, amount(o.rounding)),
        sqlQuote(o.remark)};
    std::string joined;
    for (const std::string& value : values)
        joined += (joined.empty() ? "" : ",") + value;
    return joined;
}

std::string text(const DbValue& value) {
    return value.isEmpty() ? std::string() : value.toText();
}

// The columns that give back a text field of the order as it was held.
const std::pair<const char*, std::string OrderDraft::*> textColumns[] = {
    {"票头", &OrderDraft::header},
    {"店铺名称", &OrderDraft::shop},
    {"桌号代码", &OrderDraft::tableCode},
    {"桌号", &OrderDraft::table},
    {"电话", &OrderDraft::telephone},
    {"姓名", &OrderDraft::name},
    {"地址", &OrderDraft::address},
    {"减免", &OrderDraft::discountName},
    {"减免份数", &OrderDraft::discountPortions},
    {"减免金额", &OrderDraft::discountAmount},
    {"合计", &OrderDraft::total},
    {"支付方式", &OrderDraft::paymentMethod},
    {"已付", &OrderDraft::paid},
    {"实付", &OrderDraft::actuallyPaid},
    {"抹零金额", &OrderDraft::rounding},
    {"备注", &OrderDraft::remark},
};

OrderDraft draftOf(const Rows::Row& row, const Rows& lines) {
    OrderDraft o;
    for (const auto& [column, field] : textColumns)
        o.*field = text(row[column]);
    const auto& methods = OrderDraft::paymentMethods();
    for (std::size_t i = 0; i < methods.size(); ++i)
        if (methods[i] == o.paymentMethod)
            o.paymentIndex = static_cast<int>(i);
    for (const Rows::Row line : lines)
        o.lines.push_back(
            {text(line["菜名"]), text(line["数量"]), text(line["单位"]), text(line["小计"])});
    // The grid keeps an empty row below the dishes.
    o.lines.push_back({});
    return o;
}

} // namespace

DateTime HeldOrders::secondsAfter(const DateTime& t, int seconds) {
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second + seconds;
    const std::time_t moved = timegm(&tm);
    gmtime_r(&moved, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string HeldOrders::now() const {
    return m_clock.now().canonical();
}

long long HeldOrders::hold(const OrderDraft& order, long long replacing) {
    m_failure.clear();
    std::string refused = order.textRefusal();
    if (refused.empty())
        if (const std::string field = OrderChecks::fieldBeyondColumn(order); !field.empty())
            refused = field + "。";
    if (!refused.empty()) {
        m_failure = "无法挂单：" + refused + "订单仍保留在屏幕上。";
        return 0;
    }
    DbTransaction transaction(m_db);
    const bool stored =
        transaction.started() && (replacing == 0 || remove(replacing).empty()) &&
        m_db.ExecuteSql(std::string("insert into 挂单 (") + rowColumns + ") values (" +
                        rowValues(order, now(), m_db.tillName()) + ")");
    const long long id = stored ? m_db.lastInsertId() : 0;
    if (id > 0 && insertLines(id, order) && transaction.commit())
        return id;
    m_failure = StorageFailures::failed("挂单", m_db.lastFailure(), "订单仍保留在屏幕上。");
    return 0;
}

bool HeldOrders::insertLines(long long id, const OrderDraft& order) {
    for (const OrderLine& line : order.dishLines())
        if (!m_db.ExecuteSql("insert into 挂单详单 (挂单ID,菜名,数量,单位,小计) values (" +
                             idText(id) + "," + sqlQuote(line.dishName) + "," +
                             std::to_string(Values::textToInt(line.quantity)) + "," +
                             sqlQuote(line.unit) + "," + amount(line.subtotal) + ")"))
            return false;
    return true;
}

std::string HeldOrders::leaseHolder(const Rows::Row& row) const {
    const std::string till = text(row["租用收银台"]);
    const DbValue until = row["租约到期"];
    if (till.empty() || till == m_db.tillName() || until.isEmpty() ||
        until.toDateTime() <= m_clock.now())
        return {};
    return till;
}

ReadResult<std::vector<HeldOrders::Summary>> HeldOrders::list() {
    const ReadResult<Rows> held = m_db.read("select * from 挂单 order by 挂起时间 desc, ID desc");
    if (!held)
        return held.readFailure();
    const ReadResult<Rows> lines = m_db.read("select 挂单ID,菜名,数量 from 挂单详单 order by ID");
    if (!lines)
        return lines.readFailure();
    std::vector<Summary> summaries;
    for (const Rows::Row row : *held) {
        Summary summary{row["ID"].toInt(),
                        shortTime(row["挂起时间"].toDateTime()),
                        who(row),
                        Money::fromYuan(row["合计"].toNumber()).text(),
                        {},
                        {}};
        int shown = 0;
        for (const Rows::Row line : *lines) {
            if (line["挂单ID"].toInt() != summary.id)
                continue;
            if (++shown > 3) {
                summary.dishes += "等";
                break;
            }
            summary.dishes +=
                (shown > 1 ? "、" : "") + line["菜名"].toText() + "×" + line["数量"].toText();
        }
        summary.leasedBy = leaseHolder(row);
        summaries.push_back(summary);
    }
    return summaries;
}

ReadResult<int> HeldOrders::count() {
    const ReadResult<DbValue> counted = m_db.readValue("select count(*) from 挂单");
    if (!counted)
        return counted.readFailure();
    return counted->toInt();
}

HeldOrders::Taken HeldOrders::take(long long id) {
    const auto failed = [this](const std::string& what) {
        return Taken{TakeOutcome::Failed,
                     {},
                     StorageFailures::failed(what, m_db.lastFailure(), "挂单仍保留着。")};
    };
    DbTransaction transaction(m_db);
    if (!transaction.started())
        return failed("取单");
    const ReadResult<Rows> held = m_db.read("select * from 挂单 where ID=" + idText(id));
    if (!held)
        return failed("读取挂单");
    if (held->empty())
        return {TakeOutcome::Gone, {}, "这张挂单已经不在了，可能已被其他收银台取走结算。"};
    if (const std::string till = leaseHolder((*held)[0]); !till.empty())
        return {TakeOutcome::Leased, {}, "这张挂单正在收银台“" + till + "”上处理，请稍后再取。"};
    const ReadResult<Rows> lines =
        m_db.read("select * from 挂单详单 where 挂单ID=" + idText(id) + " order by ID");
    if (!lines)
        return failed("读取挂单");
    if (!lease(id, {}) || !transaction.commit())
        return failed("取单");
    return {TakeOutcome::Taken, draftOf((*held)[0], *lines), {}};
}

bool HeldOrders::lease(long long id, const std::string& condition) {
    return m_db.ExecuteSql(
        "update 挂单 set 租用收银台=" + sqlQuote(m_db.tillName()) +
        ",租约到期=" + sqlQuote(secondsAfter(m_clock.now(), leaseSeconds).canonical()) +
        " where ID=" + idText(id) + condition);
}

bool HeldOrders::renew(long long id) {
    return lease(id, " and 租用收银台=" + sqlQuote(m_db.tillName()));
}

bool HeldOrders::release(long long id) {
    return m_db.ExecuteSql("update 挂单 set 租用收银台='',租约到期=NULL where ID=" + idText(id) +
                           " and 租用收银台=" + sqlQuote(m_db.tillName()));
}

std::string HeldOrders::remove(long long id) {
    const ReadResult<Rows> held =
        m_db.read("select 租用收银台,租约到期 from 挂单 where ID=" + idText(id));
    if (!held)
        return held.message("读取挂单", "什么也没有保存。");
    if (held->empty() || text((*held)[0]["租用收银台"]) != m_db.tillName())
        return "这张挂单已被其他收银台取走，请按 F10 清空后重新取单。";
    if (!m_db.ExecuteSql("delete from 挂单详单 where 挂单ID=" + idText(id)) ||
        !m_db.ExecuteSql("delete from 挂单 where ID=" + idText(id)))
        return StorageFailures::failed("删除挂单", m_db.lastFailure(), "什么也没有保存。");
    return {};
}

std::string HeldOrders::discard(long long id) {
    DbTransaction transaction(m_db);
    if (transaction.started()) {
        const std::string refused = remove(id);
        if (!refused.empty() || transaction.commit())
            return refused;
    }
    return StorageFailures::failed("删除挂单", m_db.lastFailure(), "挂单仍保留着。");
}
