#include "orders/OrderChecks.h"

#include "storage/schema/Schema.h"
#include "storage/values/Values.h"

#include <cmath>
#include <limits>

namespace OrderChecks {
namespace {

// Characters as the database counts them: UTF-8 sequences, not bytes.
std::size_t characters(const std::string& text) {
    std::size_t count = 0;
    for (unsigned char c : text)
        count += (c & 0xC0) != 0x80;
    return count;
}

// Numbers are stored rounded to the column's kind, as the statements write them.
bool holdsNumber(const ColumnDef& column, double value) {
    if (!std::isfinite(value))
        return false;
    const double whole = Values::roundTo(value, 0);
    switch (column.kind) {
    case ColumnKind::Int16:
        return whole >= -32768 && whole <= 32767;
    case ColumnKind::Int32:
        return whole >= -2147483648.0 && whole <= 2147483647.0;
    case ColumnKind::Decimal:
        return std::fabs(whole) < 1e18;
    case ColumnKind::Money:
        return std::fabs(value) < 1e13;
    case ColumnKind::Single:
        return std::fabs(value) <= std::numeric_limits<float>::max();
    default:
        return true;
    }
}

std::string numberLimit(const ColumnDef& column) {
    if (column.kind == ColumnKind::Int16)
        return "必须在 -32768 到 32767 之间";
    return "超出了可以保存的数值范围";
}

struct Field {
    const char* caption;
    const char* table;
    const char* column;
    const std::string& text;
};

std::string fault(const std::string& caption, const Field& field) {
    const TableDef* table = Schema::findTable(field.table);
    const ColumnDef* column = table ? Schema::findColumn(*table, field.column) : nullptr;
    if (!column)
        return {};
    if (column->kind == ColumnKind::Text) {
        if (characters(field.text) <= static_cast<std::size_t>(column->length))
            return {};
        return caption + "最多 " + std::to_string(column->length) + " 个字";
    }
    if (holdsNumber(*column, Values::textToNumber(field.text)))
        return {};
    return caption + numberLimit(*column);
}

std::string lineFault(const OrderLine& line, int gridRow) {
    const std::string row = "第 " + std::to_string(gridRow) + " 行的";
    const Field fields[] = {{"菜名", "存单详单", "菜名", line.dishName},
                            {"数量", "存单详单", "数量", line.quantity},
                            {"单位", "存单详单", "单位", line.unit},
                            {"小计", "存单详单", "小计", line.subtotal}};
    for (const Field& field : fields)
        if (std::string found = fault(row + field.caption, field); !found.empty())
            return found;
    return {};
}

bool negative(const std::string& text) {
    return Values::textToNumber(text) < 0;
}

} // namespace

bool isOrderNumber(const std::string& text) {
    if (text.empty() || text.size() > 9)
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::string fieldBeyondColumn(const OrderDraft& o) {
    const Field fields[] = {
        {"票头", "存单", "票头", o.header},
        {"店铺名称", "存单", "店铺名称", o.shop},
        {"减免", "存单", "减免", o.discountName},
        {"减免份数", "存单", "减免份数", o.discountPortions},
        {"减免金额", "存单", "减免金额", o.discountAmount},
        {"合计", "存单", "合计", o.total},
        {"支付方式", "存单", "支付方式", o.paymentMethod},
        {"已付", "存单", "已付", o.paid},
        {"实付", "存单", "实付", o.actuallyPaid},
        {"桌号", "存单", "桌号", o.table},
        {"电话", "存单", "电话", o.telephone},
        {"姓名", "存单", "姓名", o.name},
        {"地址", "存单", "地址", o.address},
        {"备注", "存单", "备注", o.remark},
    };
    for (const Field& field : fields)
        if (std::string found = fault(field.caption, field); !found.empty())
            return found;
    for (std::size_t i = 0; i < o.lines.size(); ++i)
        if (std::string found = lineFault(o.lines[i], static_cast<int>(i) + 1); !found.empty())
            return found;
    return {};
}

AmountDoubts impossibleAmounts(const OrderDraft& o) {
    AmountDoubts doubts;
    const auto doubt = [&doubts](AmountDoubts::Field field, std::string reason, int gridRow = 0) {
        if (doubts.empty()) {
            doubts.firstField = field;
            doubts.gridRow = gridRow;
        }
        doubts.reasons.push_back(std::move(reason));
    };
    for (std::size_t i = 0; i < o.lines.size(); ++i) {
        const OrderLine& line = o.lines[i];
        if (!Values::trim(OrderLine::readCell(line.dishName)).empty() && negative(line.quantity))
            doubt(AmountDoubts::Field::Quantity,
                  "第 " + std::to_string(i + 1) + " 行“" + Values::trim(line.dishName) +
                      "”的数量是 " + line.quantity + "。",
                  static_cast<int>(i) + 1);
    }
    const std::string discount = Values::trim(o.discountAmount);
    if (negative(discount))
        doubt(AmountDoubts::Field::DiscountAmount, "减免金额 " + discount + " 小于 0。");
    else if (Values::textToNumber(discount) > Values::textToNumber(o.total))
        doubt(AmountDoubts::Field::DiscountAmount,
              "减免金额 " + discount + " 大于合计 " + Values::trim(o.total) + "。");
    if (negative(o.actuallyPaid))
        doubt(AmountDoubts::Field::ActuallyPaid,
              "实付 " + Values::trim(o.actuallyPaid) + " 小于 0。");
    return doubts;
}

std::string AmountDoubts::question() const {
    std::string text;
    for (const std::string& reason : reasons)
        text += reason + "\r\n";
    return text + "\r\n是否继续？";
}

} // namespace OrderChecks
