#include "catalogue/DishCatalogue.h"

#include <gtest/gtest.h>

namespace {

TEST(DishInput, PriceIsRoundedToOneDecimalHalfAwayFromZero) {
    struct Case {
        const char* text;
        const char* price;
    };
    const Case cases[] = {
        {"12.55", "12.6"}, {"0.04", "0"},      {"0.05", "0.1"}, {"-12.55", "-12.6"}, {"16", "16"},
        {"15.5", "15.5"},  {" 3.14元", "3.1"}, {"abc", "0"},    {"", "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DishInput::fromFields("1", "", "x", c.text, "份").priceText(), c.price) << c.text;
}

TEST(DishInput, TrimsTextFieldsButNotTheUnit) {
    const DishInput dish = DishInput::fromFields(" 001　", "　hs ", " 红烧 排骨 ", "18", "份 ");
    const ListRow row = {"", "001", "hs", "红烧 排骨", "18", "份 "};
    EXPECT_EQ(dish.toRow(), row);
}

} // namespace
