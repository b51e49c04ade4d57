#pragma once
#include <string>

class SettingsStore;

// What the main window remembers from one run to the next: the last header,
// shop, discount and payment method shown.
struct OrderDefaults {
    std::string header;           // "票头"
    std::string shop;             // "店铺名称"
    std::string discountName;     // "减免"
    std::string discountPortions; // "减免份数"
    std::string discountAmount;   // "减免金额"
    int paymentIndex = 0;         // "付款方式", an index into the payment methods

    // A stored payment index outside the fixed methods selects the first one.
    static OrderDefaults load(const SettingsStore& settings);
    // All of them or none; false when they could not be stored.
    bool save(SettingsStore& settings) const;
    // Why they are not to be stored, naming the field: a control character
    // would print as a command on every receipt that follows; empty when none.
    std::string refusal() const;
};
