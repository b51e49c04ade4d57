#pragma once
#include "orders/OrderLine.h"
#include "orders/PaymentRounding.h"
#include "storage/values/Money.h"

#include <optional>
#include <string>
#include <vector>

class DishCache;

// Total, paid and actually paid as the boxes show them, and what 抹零 took
// off (empty when nothing).
struct OrderTotals {
    std::string total;
    std::string paid;
    std::string actuallyPaid;
    std::string rounding;
    bool operator==(const OrderTotals&) const = default;
};

// The order grid as rows of cell texts: row 0 is the header, and the last row
// is kept empty for the next dish. Row and column numbers are the grid's own.
class OrderGrid {
  public:
    enum Column { Name = 0, Quantity = 1, Unit = 2, Subtotal = 3, ColumnCount = 4 };

    OrderGrid(); // header plus one empty row
    // The rows below the header as shown; an empty row is appended when the
    // last one holds a dish.
    static OrderGrid fromLines(const std::vector<OrderLine>& lines);

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    const OrderLine& row(int r) const { return m_rows.at(r); }
    std::string cell(int r, int column) const; // "假" reads empty
    void setCell(int r, int column, const std::string& text);

    bool hasDishes() const { return rowCount() != 2; }
    bool isEditable(int r, int column) const;
    bool isDishRow(int r) const;
    int firstRowWithoutQuantity() const;

    // Puts a chosen dish with its quantity into the first row without a
    // quantity and recomputes that row; returns the row.
    int enterDish(const std::string& name, int quantity, const DishCache& dishes);
    // After an edit of (r, column): quantity at least 1, unit and subtotal from
    // the catalogue (a typed subtotal stands), and a fresh empty last row.
    // A row whose dish name was erased is removed. True when the totals are due.
    bool recomputeLine(int r, int column, const DishCache& dishes);
    // Removes a dish row; false when the row holds no dish. The other rows
    // keep their cells as they are, typed subtotals included.
    bool deleteRow(int r);

    Money subtotalSum() const;
    // The total less the discount, rounded by `rule`: 已付 and 实付 are what is paid.
    OrderTotals totals(const std::string& discountAmount,
                       PaymentRounding::Rule rule = PaymentRounding::Rule::None) const;
    // After the discount amount changed; nothing when no line is priced.
    std::optional<OrderTotals>
    totalsForDiscount(const std::string& discountAmount,
                      PaymentRounding::Rule rule = PaymentRounding::Rule::None) const;

    std::vector<OrderLine> lines() const;     // every row below the header
    std::vector<OrderLine> dishLines() const; // trimmed rows that name a dish

  private:
    void keepEmptyLastRow();
    std::vector<OrderLine> m_rows;
};
