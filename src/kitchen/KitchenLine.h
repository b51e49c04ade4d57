#pragma once
#include <string>

// One dish of an order as a station makes it: lines of the same dish and
// unit are added up.
struct KitchenLine {
    std::string station;
    std::string dish;
    int quantity = 0;
    std::string unit;

    bool operator==(const KitchenLine&) const = default;
};
