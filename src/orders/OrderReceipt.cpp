#include "orders/OrderReceipt.h"

#include "orders/OrderDraft.h"

ReceiptOrder receiptOrderOf(const OrderDraft& d) {
    ReceiptOrder r;
    r.number = d.number;
    r.header = d.header;
    r.shop = d.shop;
    r.paymentMethod = d.paymentMethod;
    r.orderTime = d.orderTime;
    for (const OrderLine& line : d.lines)
        r.dishes.push_back({line.dishName, line.quantity, line.unit, line.subtotal});
    r.total = d.total;
    r.discountName = d.discountName;
    r.discountCount = d.discountPortions;
    r.discountAmount = d.discountAmount;
    r.paid = d.paid;
    r.table = d.table;
    r.customerName = d.name;
    r.customerPhone = d.telephone;
    r.address = d.address;
    r.remark = d.remark;
    r.rounding = d.rounding;
    return r;
}
