#include "history/StoredOrders.h"
#include "storage/values/Money.h"

#include "history/ChangeLog.h"
#include "history/OrderSnapshot.h"
#include "storage/engine/Database.h"
#include "storage/engine/DbTransaction.h"
#include "storage/values/Values.h"

namespace {

// IDs stand bare in statements, so only their number may get there.
std::string idLiteral(const std::string& idText) {
    return std::to_string(Values::textToInt(idText));
}

} // namespace

bool StoredOrders::deleteOrder(const std::string& idText) {
    const std::string id = idLiteral(idText);
    DbTransaction transaction(m_db);
    if (!transaction.started())
        return false;
    const std::optional<StoredOrder> order = loadOrder(id);
    if (!order)
        return false;
    // Lines that could not be read would leave the record without them.
    const ReadResult<std::vector<StoredLine>> lines = allLines(id);
    if (!lines)
        return false;
    const std::string before = OrderSnapshot::of(*order, *lines).text();
    return m_db.ExecuteSql("Delete * from 存单详单 where 存单ID=" + id) &&
           m_db.ExecuteSql("Delete * from 厨房已送 where 存单ID=" + id) &&
           m_db.ExecuteSql("Delete * from 存单 where ID=" + id) &&
           ChangeLog(m_db).write({ChangeLog::Kind::Deletion, id, order->number, before, {}}) &&
           transaction.commit();
}

std::optional<StoredOrder> StoredOrders::loadOrder(const std::string& idText) const {
    const int handle = m_db.OpenTable("Select * from 存单 where ID =" + idLiteral(idText));
    if (handle == 0 || m_db.IsEOF(handle)) {
        m_db.CloseTable(handle);
        return std::nullopt;
    }
    auto text = [&](const char* column) { return m_db.ReadColByName(handle, column).toText(); };
    StoredOrder order{text("ID"),
                      text("编号"),
                      text("票头"),
                      text("店铺名称"),
                      m_db.ReadColByName(handle, "时间").toDateTime(),
                      text("减免"),
                      text("减免份数"),
                      text("减免金额"),
                      text("合计"),
                      text("支付方式"),
                      text("已付"),
                      text("实付"),
                      text("桌号"),
                      text("电话"),
                      text("姓名"),
                      text("地址"),
                      text("备注")};
    const Money rounding = Money::fromText(text("抹零金额"));
    if (rounding != Money())
        order.rounding = rounding.text();
    m_db.CloseTable(handle);
    return order;
}

ReadResult<std::vector<StoredLine>> StoredOrders::allLines(const std::string& idText) const {
    return readLines("Select * from 存单详单 where 存单ID =" + idLiteral(idText) + " order by ID");
}

std::optional<std::string> StoredOrders::recordText(const std::string& idText) const {
    const std::optional<StoredOrder> order = loadOrder(idText);
    if (!order)
        return std::nullopt;
    const ReadResult<std::vector<StoredLine>> lines = allLines(idText);
    if (!lines)
        return std::nullopt;
    return OrderSnapshot::of(*order, *lines).text();
}

std::string StoredOrders::deleteFailure() const {
    return StorageFailures::failed("删除", m_db.lastFailure(), "该订单没有改动。");
}

std::string StoredOrders::linesCondition(const std::string& idText, const std::string& dateText) {
    return " where 存单ID =" + idLiteral(idText) +
           " and format(销售时间,'yyyy年m月d日')=" + Values::sqlQuote(dateText);
}

ReadResult<std::vector<StoredLine>>
StoredOrders::findOrderLines(const std::string& idText, const std::string& dateText) const {
    return readLines("Select * from 存单详单" + linesCondition(idText, dateText));
}

ReadResult<std::vector<StoredLine>> StoredOrders::readLines(const std::string& statement) const {
    const ReadResult<Rows> rows = m_db.read(statement);
    if (!rows)
        return rows.readFailure();
    std::vector<StoredLine> lines;
    for (const Rows::Row& row : *rows)
        lines.push_back({row["菜名"].toText(), row["数量"].toText(), row["单位"].toText(),
                         row["小计"].toText()});
    return lines;
}

std::string StoredOrders::deleteQuestion(const std::string& number, const std::string& dateText) {
    return "订单编号：" + number + "\r\n订单时间：" + dateText + "\r\n\r\n是否删除该订单？";
}
