#pragma once
#include <string>
#include <vector>

// One grid row of the order as its cells read.
struct SettlementLine {
    std::string name;
    std::string quantity;
    std::string unit;
    std::string subtotal;
};

// The order window's fields at the moment of settlement, as text.
struct SettlementOrder {
    std::string number;
    std::string header;
    std::string shop;
    std::string orderTime;
    std::string discountName;
    std::string discountCount;
    std::string discountAmount;
    std::string total;
    std::string paymentMethod;
    std::string paid;
    std::string actuallyPaid;
    std::string table;
    std::string phone;
    std::string name;
    std::string address;
    std::string remark;
    std::vector<SettlementLine> lines;
};
