#pragma once
#include "history/StoredOrder.h"

#include <string>
#include <vector>

// An order as a change record keeps it. Every field is text as it was shown
// or stored, so a record reads the same whether it came from the database or
// from the order window.
struct OrderSnapshot {
    std::string number;
    std::string time;
    std::string header;
    std::string shop;
    std::string table;
    std::string telephone;
    std::string name;
    std::string address;
    std::string discountName;
    std::string discountPortions;
    std::string discountAmount;
    std::string total;
    std::string paid;
    std::string actuallyPaid;
    std::string paymentMethod;
    std::string remark;
    std::vector<StoredLine> lines;

    static OrderSnapshot of(const StoredOrder& order, const std::vector<StoredLine>& lines);

    // One field a line in a fixed order, then one line per dish, so two
    // records set side by side line up.
    std::string text() const;
};
