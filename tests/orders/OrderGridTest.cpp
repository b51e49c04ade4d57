#include "orders/OrderGrid.h"
#include "orders/DishCache.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const OrderLine& line, std::ostream* out) {
    *out << '{' << line.dishName << '|' << line.quantity << '|' << line.unit << '|' << line.subtotal
         << '}';
}

namespace {

DishCache someDishes() {
    DishCache dishes;
    dishes.setDishes({{"白菜肉水饺", "15.5", "005", "bcrsj", "份"},
                      {"香菇猪肉水饺", "16", "006", "xgzrsj", "碗"},
                      {"王老吉", "3.5", "105", "wlj", "瓶"}});
    return dishes;
}

OrderGrid withDish(const std::string& name, int quantity) {
    OrderGrid grid;
    grid.enterDish(name, quantity, someDishes());
    return grid;
}

} // namespace

TEST(OrderGrid, StartsAsHeaderAndOneEmptyRow) {
    const OrderGrid grid;
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_FALSE(grid.hasDishes());
    EXPECT_EQ(grid.row(0), (OrderLine{"菜名", "数量", "单位", "小计"}));
    EXPECT_TRUE(grid.row(1).isEmpty());
}

TEST(OrderGrid, EnteringADishFillsTheLineAndKeepsAnEmptyLastRow) {
    const OrderGrid grid = withDish("白菜肉水饺", 3);
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.row(1), (OrderLine{"白菜肉水饺", "3", "份", "46.5"}));
    EXPECT_TRUE(grid.row(2).isEmpty());
    EXPECT_EQ(grid.totals("10"), (OrderTotals{"46.5", "36.5", "36.5"}));
}

TEST(OrderGrid, RoundingTakesOffWhatTheShopDoesNotCharge) {
    using Rule = PaymentRounding::Rule;
    // 白菜肉水饺 15.5 x 5 = 77.5, less the discount.
    const struct {
        Rule rule;
        const char* discount;
        OrderTotals totals;
    } cases[] = {
        {Rule::None, "0", {"77.5", "77.5", "77.5", ""}},
        {Rule::DropJiaoAndFen, "0", {"77.5", "77", "77", "0.5"}},
        {Rule::DropFen, "0.03", {"77.5", "77.4", "77.4", "0.07"}},
        {Rule::NearestYuan, "0", {"77.5", "78", "78", "-0.5"}},
        {Rule::NearestYuan, "0.6", {"77.5", "77", "77", "-0.1"}},
        {Rule::DropJiaoAndFen, "80", {"77.5", "-2", "-2", "-0.5"}},
    };
    const OrderGrid grid = withDish("白菜肉水饺", 5);
    for (const auto& c : cases)
        EXPECT_EQ(grid.totals(c.discount, c.rule), c.totals)
            << PaymentRounding::nameOf(c.rule) << " " << c.discount;
}

TEST(OrderGrid, NextDishGoesIntoTheFirstRowWithoutQuantity) {
    OrderGrid grid = withDish("白菜肉水饺", 1);
    EXPECT_EQ(grid.enterDish("王老吉", 2, someDishes()), 2);
    EXPECT_EQ(grid.row(2), (OrderLine{"王老吉", "2", "瓶", "7"}));
    EXPECT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.totals("").total, "22.5");
}

TEST(OrderGrid, LineRecomputation) {
    struct Case {
        const char* what;
        OrderLine typed;
        int column;
        OrderLine expected;
    };
    const Case cases[] = {
        {"quantity 0 becomes 1", {"王老吉", "0", "", ""}, 1, {"王老吉", "1", "瓶", "3.5"}},
        {"empty quantity becomes 1", {"王老吉", "", "", ""}, 0, {"王老吉", "1", "瓶", "3.5"}},
        {"non-numeric quantity becomes 1",
         {"王老吉", "x", "", ""},
         1,
         {"王老吉", "1", "瓶", "3.5"}},
        {"leading digits count", {"王老吉", "4个", "", ""}, 1, {"王老吉", "4个", "瓶", "14"}},
        {"typed subtotal stands", {"王老吉", "2", "瓶", "20"}, 3, {"王老吉", "2", "瓶", "20"}},
        {"subtotal follows quantity", {"王老吉", "2", "瓶", "20"}, 1, {"王老吉", "2", "瓶", "7"}},
        {"unknown dish keeps unit, costs 0", {"炒饭", "2", "盘", "9"}, 0, {"炒饭", "2", "盘", "0"}},
        {"names match without trimming", {" 王老吉", "1", "", ""}, 0, {" 王老吉", "1", "", "0"}},
        {"cell reading 假 counts as empty",
         {"王老吉", "假", "假", "假"},
         0,
         {"王老吉", "1", "瓶", "3.5"}},
    };
    for (const Case& c : cases) {
        OrderGrid grid = OrderGrid::fromLines({c.typed});
        EXPECT_TRUE(grid.recomputeLine(1, c.column, someDishes())) << c.what;
        EXPECT_EQ(grid.row(1), c.expected) << c.what;
        EXPECT_EQ(grid.rowCount(), 3) << c.what;
    }
}

TEST(OrderGrid, TypedSubtotalCountsInTheTotal) {
    OrderGrid grid = withDish("白菜肉水饺", 3);
    grid.setCell(1, OrderGrid::Subtotal, "20");
    grid.recomputeLine(1, OrderGrid::Subtotal, someDishes());
    EXPECT_EQ(grid.cell(1, OrderGrid::Subtotal), "20");
    EXPECT_EQ(grid.totals("").total, "20");
}

TEST(OrderGrid, EmptyRowIsLeftAlone) {
    OrderGrid grid;
    EXPECT_FALSE(grid.recomputeLine(1, OrderGrid::Name, someDishes()));
    EXPECT_EQ(grid.rowCount(), 2);
}

TEST(OrderGrid, ErasingADishNameTakesTheLineOut) {
    OrderGrid grid = withDish("白菜肉水饺", 2);
    grid.enterDish("王老吉", 1, someDishes());
    grid.setCell(1, OrderGrid::Name, "  ");
    EXPECT_TRUE(grid.recomputeLine(1, OrderGrid::Name, someDishes()));
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.row(1).dishName, "王老吉");
    EXPECT_EQ(grid.totals("").total, "3.5");
}

TEST(OrderGrid, DeletingLines) {
    OrderGrid grid = withDish("白菜肉水饺", 2);
    grid.enterDish("王老吉", 1, someDishes());
    grid.setCell(2, OrderGrid::Subtotal, "2"); // a price the cashier typed

    EXPECT_FALSE(grid.deleteRow(0));
    EXPECT_FALSE(grid.deleteRow(3)); // the empty last row
    EXPECT_TRUE(grid.deleteRow(1));
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.row(1), (OrderLine{"王老吉", "1", "瓶", "2"}));

    EXPECT_TRUE(grid.deleteRow(1));
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_FALSE(grid.hasDishes());
    EXPECT_EQ(grid.totals("10"), (OrderTotals{"0", "-10", "-10"}));
}

TEST(OrderGrid, EditableCells) {
    const OrderGrid grid = withDish("王老吉", 1);
    // rows: header, dish, empty; columns: name, quantity, unit, subtotal
    const bool expected[3][4] = {
        {false, false, false, false}, {true, true, false, true}, {true, false, false, false}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(grid.isEditable(r, c), expected[r][c]) << r << "," << c;
}

TEST(OrderGrid, DiscountChangeOnlyRecomputesPricedOrders) {
    EXPECT_FALSE(OrderGrid().totalsForDiscount("5").has_value());
    EXPECT_FALSE(OrderGrid::fromLines({{"炒饭", "1", "", "0"}}).totalsForDiscount("5"));
    const auto totals = withDish("白菜肉水饺", 3).totalsForDiscount("10");
    ASSERT_TRUE(totals.has_value());
    EXPECT_EQ(*totals, (OrderTotals{"46.5", "36.5", "36.5"}));
}

TEST(OrderGrid, DishLinesAreTrimmedAndSkipUnnamedRows) {
    const OrderGrid grid =
        OrderGrid::fromLines({{" 王老吉 ", " 2", "瓶 ", "7"}, {"假", "1", "", ""}, {}});
    const std::vector<OrderLine> lines = grid.dishLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], (OrderLine{"王老吉", "2", "瓶", "7"}));
}
