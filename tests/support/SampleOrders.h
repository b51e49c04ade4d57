#pragma once
#include "orders/DemoDataGenerator.h"
#include "orders/OrderDraft.h"
#include "receipt/ReceiptOrder.h"

#include <string>
#include <vector>

class Database;

// A delivery order of 白云快餐 for 张三, entered at 12-08 12:30 and paid by
// WeChat with the discount 立减优惠 of 10, its lines as given.
OrderDraft deliveryOrder(const std::string& number, std::vector<OrderLine> lines,
                         const std::string& total, const std::string& paid);

// A delivery order of three dishes with a discount and a remark, paid by
// WeChat, entered at 12-08 12:30 and ending in the empty row the grid keeps.
OrderDraft threeDishOrder();

// A receipt of the shop "白云快餐" ordered at 05-15 12:30, its total paid.
ReceiptOrder sampleReceipt(const std::string& number, const std::string& header,
                           const std::string& paymentMethod, std::vector<ReceiptDish> dishes,
                           const std::string& total);

// A demo data generator over the catalogue and the tables as stored.
DemoDataGenerator storedCatalogueGenerator(Database& db);
