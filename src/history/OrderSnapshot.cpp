#include "history/OrderSnapshot.h"

#include "storage/values/Values.h"

namespace {

// A value that held a line break would shift every line after it.
std::string oneLine(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '\r' || c == '\n' ? ' ' : c;
    return out;
}

} // namespace

OrderSnapshot OrderSnapshot::of(const StoredOrder& o, const std::vector<StoredLine>& lines) {
    return {o.number,
            Values::dateTimeToText(o.time),
            o.header,
            o.shop,
            o.table,
            o.telephone,
            o.name,
            o.address,
            o.discount,
            o.discountPortions,
            o.discountAmount,
            o.total,
            o.paid,
            o.actuallyPaid,
            o.paymentMethod,
            o.remark,
            lines};
}

std::string OrderSnapshot::text() const {
    const std::pair<const char*, const std::string*> fields[] = {
        {"编号", &number},
        {"时间", &time},
        {"票头", &header},
        {"店铺", &shop},
        {"桌号", &table},
        {"电话", &telephone},
        {"姓名", &name},
        {"地址", &address},
        {"减免", &discountName},
        {"减免份数", &discountPortions},
        {"减免金额", &discountAmount},
        {"合计", &total},
        {"已付", &paid},
        {"实付", &actuallyPaid},
        {"支付方式", &paymentMethod},
        {"备注", &remark},
    };
    std::string out;
    for (const auto& [caption, value] : fields)
        out += std::string(caption) + "：" + oneLine(*value) + "\n";
    out += "菜品：" + std::to_string(lines.size()) + " 行\n";
    for (const StoredLine& line : lines)
        out += oneLine(line.dish) + "  " + line.quantity + oneLine(line.unit) + "  " +
               line.subtotal + "\n";
    return out;
}
