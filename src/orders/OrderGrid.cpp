#include "orders/OrderGrid.h"

#include "orders/DishCache.h"
#include "storage/values/Values.h"

namespace {

std::string OrderLine::*member(int column) {
    switch (column) {
    case OrderGrid::Name:
        return &OrderLine::dishName;
    case OrderGrid::Quantity:
        return &OrderLine::quantity;
    case OrderGrid::Unit:
        return &OrderLine::unit;
    default:
        return &OrderLine::subtotal;
    }
}

std::string trimmedCell(const std::string& text) {
    return Values::trim(OrderLine::readCell(text));
}

} // namespace

OrderGrid::OrderGrid() : m_rows{{"菜名", "数量", "单位", "小计"}, {}} {}

OrderGrid OrderGrid::fromLines(const std::vector<OrderLine>& lines) {
    OrderGrid grid;
    grid.m_rows.resize(1);
    grid.m_rows.insert(grid.m_rows.end(), lines.begin(), lines.end());
    if (grid.m_rows.size() == 1 || !grid.m_rows.back().isEmpty())
        grid.m_rows.emplace_back();
    return grid;
}

std::string OrderGrid::cell(int r, int column) const {
    return OrderLine::readCell(m_rows.at(r).*member(column));
}

void OrderGrid::setCell(int r, int column, const std::string& text) {
    m_rows.at(r).*member(column) = text;
}

bool OrderGrid::isDishRow(int r) const {
    return r >= 1 && r < rowCount() && !Values::trim(cell(r, Name)).empty();
}

bool OrderGrid::isEditable(int r, int column) const {
    if (r < 1 || r >= rowCount())
        return false;
    switch (column) {
    case Name:
        return true;
    case Quantity:
    case Subtotal:
        return isDishRow(r);
    default:
        return false;
    }
}

int OrderGrid::firstRowWithoutQuantity() const {
    for (int r = 0; r < rowCount(); ++r)
        if (cell(r, Quantity).empty())
            return r;
    return rowCount() - 1;
}

int OrderGrid::enterDish(const std::string& name, int quantity, const DishCache& dishes) {
    const int r = firstRowWithoutQuantity();
    setCell(r, Name, name);
    setCell(r, Quantity, std::to_string(quantity));
    recomputeLine(r, Quantity, dishes);
    return r;
}

bool OrderGrid::recomputeLine(int r, int column, const DishCache& dishes) {
    if (r < 1 || r >= rowCount())
        return false;
    if (!isDishRow(r)) {
        // Erasing a dish name takes the line out of the order; left in place its
        // subtotal would still count in the total while no line was stored.
        const bool held = !m_rows[r].isEmpty();
        if (r < rowCount() - 1)
            m_rows.erase(m_rows.begin() + r);
        else
            m_rows[r] = OrderLine{};
        return held;
    }
    int quantity = Values::textToInt(cell(r, Quantity));
    if (quantity == 0) {
        quantity = 1;
        setCell(r, Quantity, "1");
    }
    Money subtotal;
    if (const Dish* dish = dishes.findByName(cell(r, Name))) {
        setCell(r, Unit, dish->unit);
        subtotal = Money::fromText(dish->price) * quantity;
    }
    if (column != Subtotal)
        setCell(r, Subtotal, subtotal.text());
    keepEmptyLastRow();
    return true;
}

bool OrderGrid::deleteRow(int r) {
    if (!isDishRow(r))
        return false;
    m_rows.erase(m_rows.begin() + r);
    keepEmptyLastRow();
    return true;
}

void OrderGrid::keepEmptyLastRow() {
    if (rowCount() < 2 || !Values::trim(cell(rowCount() - 1, Name)).empty())
        m_rows.emplace_back();
}

Money OrderGrid::subtotalSum() const {
    Money sum;
    for (int r = 1; r < rowCount(); ++r)
        sum += Money::fromText(cell(r, Subtotal));
    return sum;
}

OrderTotals OrderGrid::totals(const std::string& discountAmount, PaymentRounding::Rule rule) const {
    const Money total = subtotalSum();
    const Money rest = total - Money::fromText(discountAmount);
    const Money paid = PaymentRounding::apply(rule, rest);
    const Money rounding = rest - paid;
    return {total.text(), paid.text(), paid.text(),
            rounding == Money() ? std::string() : rounding.text()};
}

std::optional<OrderTotals> OrderGrid::totalsForDiscount(const std::string& discountAmount,
                                                        PaymentRounding::Rule rule) const {
    if (subtotalSum() == Money())
        return std::nullopt;
    return totals(discountAmount, rule);
}

std::vector<OrderLine> OrderGrid::lines() const {
    return {m_rows.begin() + 1, m_rows.end()};
}

std::vector<OrderLine> OrderGrid::dishLines() const {
    std::vector<OrderLine> result;
    for (int r = 1; r < rowCount(); ++r) {
        const OrderLine& line = m_rows[r];
        OrderLine trimmed{trimmedCell(line.dishName), trimmedCell(line.quantity),
                          trimmedCell(line.unit), trimmedCell(line.subtotal)};
        if (!trimmed.dishName.empty())
            result.push_back(trimmed);
    }
    return result;
}
