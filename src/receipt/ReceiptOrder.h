#pragma once
#include <string>
#include <vector>

// One dish row of the order grid, its cells as the grid shows them.
struct ReceiptDish {
    std::string name;
    std::string quantity;
    std::string unit;
    std::string subtotal;
};

// What a receipt is made of: the order window's fields as text, unchanged,
// so the receipt shows exactly what the cashier saw.
struct ReceiptOrder {
    std::string number;
    std::string header;
    std::string shop;
    std::string paymentMethod;
    std::string orderTime;
    std::vector<ReceiptDish> dishes;
    std::string total;
    std::string discountName;
    std::string discountCount;
    std::string discountAmount;
    std::string paid;
    std::string table;
    std::string customerName;
    std::string customerPhone;
    std::string address;
    std::string remark;
    std::string rounding; // what 抹零 took off; empty when nothing
};
