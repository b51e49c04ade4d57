#pragma once
#include "orders/OrderLine.h"

#include <optional>
#include <string>
#include <vector>

// The order being composed, as the main window's fields show it: every field
// is the text of its control, so a draft read from the window and loaded back
// changes nothing.
struct OrderDraft {
    std::string number;           // 编辑框_编号
    std::string header;           // 组合框_票头
    std::string shop;             // 组合框_店铺名称
    std::string orderTime;        // 编辑框_时间
    std::string tableCode;        // 编辑框_时间2
    std::string table;            // 组合框_桌号
    std::string telephone;        // 编辑框_电话
    std::string name;             // 编辑框_姓名
    std::string address;          // 编辑框_地址
    std::string discountName;     // 组合框_减免
    std::string discountPortions; // 编辑框_减免份数
    std::string discountAmount;   // 编辑框_减免金额
    std::string paymentMethod;    // 组合框_付款方式, its text
    int paymentIndex = 0;         // 组合框_付款方式, its index
    std::string total;            // 编辑框_合计
    std::string paid;             // 编辑框_已支付
    std::string actuallyPaid;     // 编辑框_实付
    std::string rounding;         // 编辑框_抹零, empty when nothing was rounded off
    std::string remark;           // 编辑框_备注
    std::string orderId;          // ID, set while a stored order is edited
    std::vector<OrderLine> lines; // 高级表格1 below its header, as shown

    // The fixed payment methods, by index.
    static const std::vector<std::string>& paymentMethods();

    bool hasDishes() const;
    // Something that clearing would lose: a dish row or a telephone.
    bool hasContent() const;
    // The rows that name a dish, trimmed, "假" read as empty.
    std::vector<OrderLine> dishLines() const;
    // The refusal naming the first field or dish line whose text holds a NUL
    // or a control character that a printer could take for a command;
    // empty when none does.
    std::string textRefusal() const;
    // A fresh order numbered `nextNumber` (no number when it is unknown):
    // header, shop, order time, table, discount and payment are kept, the
    // rest is emptied.
    OrderDraft cleared(std::optional<int> nextNumber) const;

    bool operator==(const OrderDraft&) const = default;
};

bool orderHasContent(const OrderDraft& draft);
