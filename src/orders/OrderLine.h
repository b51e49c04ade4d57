#pragma once
#include <string>

// One row of the order grid, each cell as the text it shows.
struct OrderLine {
    std::string dishName;
    std::string quantity;
    std::string unit;
    std::string subtotal;

    // The grid control hands back "假" for a cell that was never filled.
    static std::string readCell(const std::string& text);
    bool isEmpty() const;
    bool operator==(const OrderLine&) const = default;
};
