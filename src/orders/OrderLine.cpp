#include "orders/OrderLine.h"

std::string OrderLine::readCell(const std::string& text) {
    return text == "假" ? std::string() : text;
}

bool OrderLine::isEmpty() const {
    return readCell(dishName).empty() && readCell(quantity).empty() && readCell(unit).empty() &&
           readCell(subtotal).empty();
}
