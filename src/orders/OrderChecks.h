#pragma once
#include "orders/OrderDraft.h"

#include <string>
#include <vector>

// What is checked in an order on screen before it is stored or printed.
namespace OrderChecks {

// An order number as the 编号 column keeps it: 1 to 9 digits, no sign.
bool isOrderNumber(const std::string& text);

// The first field whose text its column cannot hold, said as "备注最多 255 个字";
// empty when every field fits. Limits come from the columns themselves.
std::string fieldBeyondColumn(const OrderDraft& order);

// Amounts a shop hardly means to book: a negative quantity or discount, a
// discount above the total, 实付 below zero. The cashier decides.
struct AmountDoubts {
    enum class Field { None, Quantity, DiscountAmount, ActuallyPaid };
    std::vector<std::string> reasons;
    Field firstField = Field::None; // where No takes the cashier back
    int gridRow = 0;                // with Field::Quantity, the row at fault

    bool empty() const { return reasons.empty(); }
    // The reasons, one a line, then "是否继续？".
    std::string question() const;
};
AmountDoubts impossibleAmounts(const OrderDraft& order);

} // namespace OrderChecks
