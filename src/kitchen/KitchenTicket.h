#pragma once
#include "kitchen/KitchenLine.h"
#include "kitchen/KitchenOrder.h"

#include <string>
#include <vector>

class ReceiptCanvas;

// One station's part of an order: the whole of it the first time or when
// reprinted, else what changed since the station was last sent it. Nothing
// about money is on it.
class KitchenTicket {
  public:
    enum class Kind { Order, Change, Reprint };

    // A dish as the station had it and as it is to be: 0 before is added,
    // 0 after is taken back.
    struct Item {
        std::string dish;
        std::string unit;
        int before = 0;
        int after = 0;
    };

    std::string station;
    Kind kind = Kind::Order;
    std::string number;
    std::string table;
    std::string time; // when it was sent, as printed
    std::string remark;
    std::vector<Item> items;

    // A ticket for each station whose dishes differ between what it was
    // `sent` and what it is `due`, in the order of `due`'s stations first.
    // A station sent nothing before gets its whole part as an order ticket.
    static std::vector<KitchenTicket> between(const KitchenOrder& order,
                                              const std::vector<KitchenLine>& sent,
                                              const std::vector<KitchenLine>& due,
                                              const std::string& time);
    // Every station's whole part again, marked as a reprint.
    static std::vector<KitchenTicket> reprint(const KitchenOrder& order,
                                              const std::vector<KitchenLine>& due,
                                              const std::string& time);

    // The ticket drawn from the top; dishes and remark in large print.
    void compose(ReceiptCanvas& canvas, int paperDots, int& y) const;
    // The ticket as lines of text, for the record of it.
    std::string text() const;

    // "加" (added), "退" (taken back) or "改" (another quantity) for an item of
    // a change; empty otherwise.
    std::string mark(const Item& item) const;
};
