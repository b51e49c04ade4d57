#pragma once

class QWidget;
struct MainWindowForm;
struct OrderDraft;

// Before an order with amounts no shop means to book (a negative quantity or
// discount, a discount above the total, 实付 below zero) is stored or printed,
// the cashier is asked "…是否继续？". No is the default and puts the focus in
// the field at fault.
namespace AmountQuestion {

// True when there is nothing to ask, or the cashier answers Yes.
bool goOn(QWidget* owner, const MainWindowForm& form, const OrderDraft& order);

} // namespace AmountQuestion
