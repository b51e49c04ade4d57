#pragma once
#include "storage/values/Money.h"

#include <string>
#include <vector>

// What one payment method took in a period.
struct PaymentTotal {
    std::string method;
    int orders = 0;
    Money amount;
    bool operator==(const PaymentTotal&) const = default;
};

// The figures of a handover or a day close: what the orders took, what was
// changed afterwards, and the cash the drawer should hold.
struct ShiftFigures {
    long long lastOrderId = 0; // the highest order ID and change record ID looked at
    long long lastLogId = 0;
    int orders = 0;
    Money income; // 实付 of every order
    std::vector<PaymentTotal> payments;
    int discounted = 0;
    Money discounts;
    int deletions = 0;
    Money deleted; // 实付 of the deleted orders
    int edits = 0;
    int printsOnly = 0; // receipts printed without settling
    Money startingFloat;
    Money cashTaken;   // 实付 of the period's cash orders as they stand
    Money cashChanged; // cash effect of edits and deletions of earlier orders
    // Of the handover only: what the cashier counted and left for the next shift.
    Money counted;
    Money left;

    Money expectedCash() const { return startingFloat + cashTaken + cashChanged; }
    Money difference() const { return counted - expectedCash(); }
};
