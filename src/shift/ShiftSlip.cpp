#include "shift/ShiftSlip.h"

#include "receipt/ReceiptComposer.h"
#include "shift/ShiftRecord.h"
#include "storage/values/DateTime.h"
#include "storage/values/Values.h"

namespace {

constexpr LineStyle plain{9, false};
constexpr LineStyle title{12, true};

std::string when(const std::string& canonical) {
    const auto time = DateTime::fromCanonical(canonical);
    return time ? canonical.substr(0, 16) : canonical;
}

std::string yuan(Money amount) {
    return amount.text() + "元";
}

std::string count(int orders, Money amount) {
    return std::to_string(orders) + "单 " + yuan(amount);
}

} // namespace

namespace ShiftSlip {

std::vector<Line> lines(const ShiftRecord& r, bool counted) {
    const ShiftPeriod& p = r.period;
    const ShiftFigures& f = r.figures;
    const bool handover = p.kind == ShiftPeriod::Kind::Handover;
    std::vector<Line> out;
    if (handover) {
        out.push_back({"收银台", p.till});
        if (!p.cashier.empty())
            out.push_back({"收银员", p.cashier});
    } else {
        out.push_back({"营业日", Values::dateToText(p.day)});
    }
    out.push_back({"开始", when(p.start)});
    out.push_back({"结束", when(r.end)});
    out.push_back({"订单", count(f.orders, f.income)});
    for (const PaymentTotal& payment : f.payments)
        out.push_back({payment.method.empty() ? "未填支付方式" : payment.method,
                       count(payment.orders, payment.amount)});
    out.push_back({"减免", count(f.discounted, f.discounts)});
    out.push_back({"删除订单", count(f.deletions, f.deleted)});
    out.push_back({"修改订单", std::to_string(f.edits) + "次"});
    out.push_back({"打单未结算", std::to_string(f.printsOnly) + "次"});
    if (handover)
        out.push_back({"备用金", yuan(f.startingFloat)});
    out.push_back({"现金收入", yuan(f.cashTaken)});
    out.push_back({"改单现金变动", yuan(f.cashChanged)});
    out.push_back({"应有现金", yuan(f.expectedCash())});
    if (handover && counted) {
        out.push_back({"实点现金", yuan(f.counted)});
        out.push_back({"差额", yuan(f.difference())});
        out.push_back({"留存备用金", yuan(f.left)});
    }
    return out;
}

void compose(const ShiftRecord& record, ReceiptCanvas& canvas, int paperWidth, int& y) {
    ReceiptComposer c(canvas, paperWidth, y);
    c.drawCentered(" " + record.title() + " ", "*", title);
    for (const Line& line : lines(record))
        c.drawWrapped(line.caption + "：" + line.value, plain, "");
    c.drawSeparator();
}

} // namespace ShiftSlip
