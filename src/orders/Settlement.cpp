#include "orders/Settlement.h"

#include "history/ChangeLog.h"
#include "orders/OrderChecks.h"
#include "orders/OrderNumbering.h"
#include "orders/OrderStore.h"

#include "storage/engine/Database.h"
#include "storage/engine/DbTransaction.h"
#include "storage/values/Clock.h"
#include "storage/values/Values.h"

bool Settlement::hasDishes(const OrderDraft& order) {
    return !order.dishLines().empty();
}

Settlement::Result Settlement::settle(const OrderDraft& order, const Print& print) {
    Result stored = store(order);
    if (stored.outcome != Outcome::Done)
        return stored;
    m_storedId = stored.orderId;
    if (print(true))
        return stored;
    // The owner sees which stored orders may have left without a receipt.
    stored.outcome = Outcome::NotPrinted;
    const auto record = ChangeLog::notPrinted(std::to_string(stored.orderId), m_number);
    if (!ChangeLog(m_db).write(record))
        stored.message = "无法写入操作记录（小票未打印）。";
    return stored;
}

Settlement::Result Settlement::printOnly(const OrderDraft& order,
                                         const RecordedPrint::Job& printOneCopy) {
    if (!hasDishes(order))
        return {Outcome::NoDishes, noDishesMessage};
    const RecordedPrint::Result printed = RecordedPrint(m_db).print(order, printOneCopy);
    switch (printed.outcome) {
    case RecordedPrint::Outcome::Printed:
        return {Outcome::Done, {}};
    case RecordedPrint::Outcome::NotPrinted:
        return {Outcome::NotPrinted, {}};
    case RecordedPrint::Outcome::NotRecorded:
        break;
    }
    return {Outcome::NotStored, printed.message};
}

std::string Settlement::refusal(const OrderDraft& order) const {
    if (!OrderChecks::isOrderNumber(Values::trim(order.number)))
        return "无法保存：编号必须是整数。订单仍保留在屏幕上。";
    if (!DateTime::parse(order.orderTime, m_clock.now().year))
        return "无法保存：下单时间“" + order.orderTime + "”不是有效的时间。订单仍保留在屏幕上。";
    if (const std::string bad = order.textRefusal(); !bad.empty())
        return "无法保存：" + bad + "订单仍保留在屏幕上。";
    if (const std::string field = OrderChecks::fieldBeyondColumn(order); !field.empty())
        return "无法保存：" + field + "。订单仍保留在屏幕上。";
    return {};
}

Settlement::Result Settlement::numberUnread(const ReadFailure& failure) {
    return {Outcome::NotStored, StorageFailures::failed("读取今日的订单编号", failure.cause,
                                                        "什么也没有保存，订单仍保留在屏幕上。")};
}

Settlement::Result Settlement::notStored() const {
    const StorageFailure failure = m_db.lastFailure();
    if (failure == StorageFailure::Unreachable)
        return {Outcome::NotStored, "订单保存失败：连接不上数据库服务器 " + m_db.serverName() +
                                        "，什么也没有保存，订单仍保留在屏幕上。请检查网络和服务器后重试。"};
    if (StorageFailures::reason(failure).empty())
        return {Outcome::NotStored, "订单保存失败，什么也没有保存。请检查编号、下单时间和各项内容"
                                    "后重试；订单仍保留在屏幕上。"};
    return {Outcome::NotStored,
            StorageFailures::failed("订单保存", failure, "什么也没有保存，订单仍保留在屏幕上。")};
}

Settlement::Result Settlement::store(const OrderDraft& order) {
    if (!hasDishes(order))
        return {Outcome::NoDishes, noDishesMessage};
    const std::string refused = refusal(order);
    if (!refused.empty())
        return {Outcome::NotStored, refused};
    DbTransaction transaction(m_db);
    if (!transaction.started())
        return notStored();
    const ReadResult<std::string> number = claimNumber(Values::trim(order.number));
    if (!number)
        return numberUnread(number.readFailure());
    m_number = *number;
    const long long orderId =
        OrderStore(m_db).insert(OrderStore::fromDraft(order, m_number, order.orderTime));
    // The guard rolls back once the failure is read.
    if (orderId == 0 || !updateCustomer(order))
        return notStored();
    if (!transaction.commit())
        return m_db.lastFailure() == StorageFailure::Unconfirmed ? unconfirmed(order) : notStored();
    return {Outcome::Done, {}, orderId};
}

// Never stored again blindly: the look waits for the right to write, which
// the lost transaction holds until it has ended one way or the other.
Settlement::Result Settlement::unconfirmed(const OrderDraft& order) {
    m_db.rollback();
    DbTransaction look(m_db);
    const int handle =
        look.started()
            ? m_db.OpenTable("select ID from 存单 where 编号=" +
                             std::to_string(Values::textToInt(m_number)) + " and 时间=#" +
                             order.orderTime + "# and 收银台=" + Values::sqlQuote(m_db.tillName()))
            : 0;
    if (handle == 0)
        return {Outcome::NotStored,
                "无法确认订单是否已保存：" + m_db.lastError() + "\r\n订单仍保留在屏幕上。服务器恢复后，"
                "请先在历史订单中查找编号 " + m_number + "，没有找到再重新结算。"};
    const long long id = m_db.IsEOF(handle) ? 0 : m_db.ReadColByIndex(handle, 1).toInt();
    m_db.CloseTable(handle);
    if (id == 0)
        return {Outcome::NotStored, "订单保存失败：与数据库服务器 " + m_db.serverName() +
                                        " 的连接中断，订单没有保存，仍保留在屏幕上，请重新结算。"};
    return {Outcome::Done, {}, id};
}

// Tills sharing a server each show the next number of the day, and the first
// to settle takes it; the others take the next free one. The transaction
// holds the right to write, so no other till can take it meanwhile. On the
// file, the number stays as the cashier left it. A read that fails stores
// nothing: a guess could repeat a number already printed.
ReadResult<std::string> Settlement::claimNumber(const std::string& typed) {
    const DateTime now = m_clock.now();
    if (!m_db.isServer())
        return typed;
    const ReadResult<bool> taken = isNumberTaken(m_db, now, typed);
    if (!taken)
        return taken.readFailure();
    if (!*taken)
        return typed;
    const ReadResult<TodayCounters> next = nextOrderNumber(m_db, now);
    if (!next)
        return next.readFailure();
    return std::to_string(next->nextNumber);
}

bool Settlement::updateCustomer(const OrderDraft& o) {
    if (o.telephone.empty())
        return true;
    const std::string phone = Values::sqlQuote(o.telephone);
    // A customer that could not be looked up is not added a second time.
    const ReadResult<Rows> found = m_db.read("Select * from 客户 where 电话=" + phone);
    if (!found)
        return false;
    const std::string known = found->empty() ? std::string() : (*found)[0]["电话"].toText();
    const double orders = found->empty() ? 0 : (*found)[0]["订餐次数"].toNumber();
    if (known != o.telephone)
        return m_db.ExecuteSql("insert into 客户 (电话,姓名,地址,最近订餐日期,订餐次数) values (" +
                               phone + "," + Values::sqlQuote(o.name) + "," +
                               Values::sqlQuote(o.address) + "," + Values::sqlQuote(o.orderTime) +
                               ",1)");
    return m_db.ExecuteSql("update 客户 set 最近订餐日期 = " + Values::sqlQuote(o.orderTime) +
                           ",订餐次数 =" + std::to_string(Values::truncateToInt(orders) + 1) +
                           " where 电话 = " + phone);
}
