#pragma once
#include "kitchen/KitchenLine.h"

#include <string>
#include <vector>

// What a kitchen ticket says of an order, apart from its dishes' stations.
struct KitchenOrder {
    long long id = 0; // 0 for an order not stored yet
    std::string number;
    std::string table; // table or number plate; empty for a delivery
    std::string remark;
    // Dishes with their quantities, in the order's order; the station empty.
    std::vector<KitchenLine> lines;
};
