#include "history/StoredOrders.h"

#include "storage/Database.h"
#include "storage/Values.h"

namespace {

// IDs stand bare in statements, so only their number may get there.
std::string idLiteral(const std::string& idText) {
    return std::to_string(Values::textToInt(idText));
}

} // namespace

bool StoredOrders::deleteOrder(const std::string& idText) {
    const std::string id = idLiteral(idText);
    if (!m_db.begin())
        return false;
    if (m_db.ExecuteSql("Delete * from 存单详单 where 存单ID=" + id) &&
        m_db.ExecuteSql("Delete * from 存单 where ID=" + id) && m_db.commit())
        return true;
    m_db.rollback();
    return false;
}

std::string StoredOrders::deleteFailure() const {
    return StorageFailures::failed("删除", m_db.lastFailure(), "该订单没有改动。");
}

std::string StoredOrders::linesCondition(const std::string& idText, const std::string& dateText) {
    return " where 存单ID =" + idLiteral(idText) + " and format(销售时间,'yyyy年m月d日')='" +
           Values::sqlEscape(dateText) + "'";
}

std::vector<StoredLine> StoredOrders::findOrderLines(const std::string& idText,
                                                     const std::string& dateText) const {
    std::vector<StoredLine> lines;
    const int handle = m_db.OpenTable("Select * from 存单详单" + linesCondition(idText, dateText));
    while (handle != 0 && !m_db.IsEOF(handle)) {
        auto text = [&](const char* column) { return m_db.ReadColByName(handle, column).toText(); };
        lines.push_back({text("菜名"), text("数量"), text("单位"), text("小计")});
        m_db.MoveNext(handle);
    }
    m_db.CloseTable(handle);
    return lines;
}

std::string StoredOrders::deleteQuestion(const std::string& number, const std::string& dateText) {
    return "订单编号：" + number + "\r\n订单时间：" + dateText + "\r\n\r\n是否删除该订单？";
}
