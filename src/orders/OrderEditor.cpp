#include "orders/OrderEditor.h"

#include "storage/Database.h"
#include "storage/Values.h"

#include <algorithm>
#include <cmath>

using Values::sqlEscape;

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

// A grid cell as settlement reads it: trimmed, and "假" counting as empty.
std::string cellText(const std::string& cell) {
    const std::string text = Values::trim(cell);
    return text == "假" ? std::string() : text;
}

} // namespace

std::optional<StoredOrder> OrderEditor::loadOrder(const std::string& idText) const {
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
    m_db.CloseTable(handle);
    return order;
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

std::string OrderEditor::updateStatement(const std::string& id, const EditedOrderFields& f,
                                         const DateTime& time) const {
    const bool settled = std::fabs(Values::textToNumber(f.actuallyPaid)) > 0.0000001;
    return "update 存单 set 编号=" + Values::trim(f.number) + ",票头='" + sqlEscape(f.header) +
           "',店铺名称='" + sqlEscape(f.shop) + "',时间='" + time.canonical() + "',减免='" +
           sqlEscape(f.discount) + "',减免份数=" + numberText(f.discountPortions) +
           ",减免金额=" + numberText(f.discountAmount) + ",合计=" + numberText(f.total) +
           ",支付方式='" + sqlEscape(f.paymentMethod) + "',已付=" + numberText(f.paid) +
           ",实付=" + numberText(f.actuallyPaid) + ",桌号='" + sqlEscape(f.table) + "',电话='" +
           sqlEscape(f.telephone) + "',姓名='" + sqlEscape(f.name) + "',地址='" +
           sqlEscape(f.address) + "',是否结算='" + (settled ? "1" : "0") + "',备注='" +
           sqlEscape(f.remark) + "' where ID =" + id;
}

bool OrderEditor::writeLines(const std::string& id, const EditedOrderFields& fields,
                             const DateTime& time) {
    for (const auto& row : fields.gridRows) {
        const std::string dish = cellText(row[0]);
        if (dish.empty())
            continue;
        const std::string statement =
            "insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) values (" + id + ",'" +
            time.canonical() + "','" + sqlEscape(dish) + "'," +
            std::to_string(Values::textToInt(cellText(row[1]))) + ",'" +
            sqlEscape(cellText(row[2])) + "'," + numberText(cellText(row[3])) + ")";
        if (!m_db.ExecuteSql(statement))
            return false;
    }
    return true;
}

OrderEditor::Result OrderEditor::fail(const std::string& message) {
    return {Outcome::Failed, message};
}

OrderEditor::Result OrderEditor::saveEditedOrder(const std::string& idText,
                                                 const EditedOrderFields& fields) {
    const bool hasDish = std::any_of(fields.gridRows.begin(), fields.gridRows.end(),
                                     [](const auto& row) { return !cellText(row[0]).empty(); });
    if (!hasDish)
        return {Outcome::NoLines, noLines};
    if (!isWholeNumber(Values::trim(fields.number)))
        return fail("编号必须是整数，订单没有修改。");
    const std::string id = idLiteral(idText);
    const std::optional<DateTime> stored = storedTime(id);
    if (!stored)
        return fail("该订单已不存在，无法修改。");
    const std::optional<DateTime> time = resolveTime(fields.timeText, *stored);
    if (!time)
        return fail("下单时间无法识别，订单没有修改。");
    if (!m_db.begin())
        return fail("保存失败，订单没有修改。");
    if (m_db.ExecuteSql("Delete * from 存单详单 where 存单ID =" + id) &&
        m_db.ExecuteSql(updateStatement(id, fields, *time)) && writeLines(id, fields, *time) &&
        m_db.commit())
        return {Outcome::Saved, savedQuestion};
    m_db.rollback();
    return fail("保存失败，订单没有修改。");
}
