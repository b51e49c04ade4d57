#include "support/SampleOrders.h"

#include "orders/DishCache.h"
#include "orders/TableCache.h"

OrderDraft deliveryOrder(const std::string& number, std::vector<OrderLine> lines,
                         const std::string& total, const std::string& paid) {
    OrderDraft d;
    d.number = number;
    d.header = "微信点餐";
    d.shop = "白云快餐";
    d.orderTime = "12-08 12:30";
    d.discountName = "立减优惠";
    d.discountPortions = "1";
    d.discountAmount = "10";
    d.paymentMethod = "微信支付";
    d.total = total;
    d.paid = paid;
    d.actuallyPaid = paid;
    d.telephone = "13800001111";
    d.name = "张三";
    d.address = "人民路 88 号";
    d.lines = std::move(lines);
    return d;
}

OrderDraft threeDishOrder() {
    OrderDraft d = deliveryOrder("1",
                                 {{"红烧排骨饭", "2", "份", "36"},
                                  {"香菇猪肉水饺", "1", "碗", "16"},
                                  {" 西红柿炒蛋 ", "3", "份", "30"},
                                  {}},
                                 "82", "72");
    d.table = "号牌 3";
    d.remark = "少放辣";
    return d;
}

ReceiptOrder sampleReceipt(const std::string& number, const std::string& header,
                           const std::string& paymentMethod, std::vector<ReceiptDish> dishes,
                           const std::string& total) {
    ReceiptOrder o;
    o.number = number;
    o.header = header;
    o.shop = "白云快餐";
    o.paymentMethod = paymentMethod;
    o.orderTime = "05-15 12:30";
    o.dishes = std::move(dishes);
    o.total = total;
    o.paid = total;
    return o;
}

DemoDataGenerator storedCatalogueGenerator(Database& db) {
    DishCache dishes;
    dishes.load(db);
    TableCache tables;
    tables.load(db);
    return DemoDataGenerator(db, DemoDataGenerator::dishesOf(dishes),
                             DemoDataGenerator::tablesOf(tables));
}
