#pragma once
#include "storage/values/DateTime.h"

#include <string>

// One dish line of a stored order, as the order grid shows it.
struct StoredLine {
    std::string dish;
    std::string quantity;
    std::string unit;
    std::string subtotal;
};

// One row of 存单, every value as text but the time.
struct StoredOrder {
    std::string id;
    std::string number;
    std::string header;
    std::string shop;
    DateTime time;
    std::string discount;
    std::string discountPortions;
    std::string discountAmount;
    std::string total;
    std::string paymentMethod;
    std::string paid;
    std::string actuallyPaid;
    std::string table;
    std::string telephone;
    std::string name;
    std::string address;
    std::string remark;
    std::string rounding; // 抹零金额, empty when nothing was rounded off
};
