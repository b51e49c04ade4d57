#include "storage/engine/DbValue.h"
#include <gtest/gtest.h>

TEST(DbValue, ConvertsToTextNumberAndInteger) {
    using T = DbValue::Type;
    const struct {
        DbValue value;
        const char* text;
        double number;
        int integer;
    } cases[] = {
        {DbValue(), "", 0, 0},
        {DbValue::integer(T::Int16, -7), "-7", -7, -7},
        {DbValue::integer(T::Int32, 2147483647), "2147483647", 2147483647.0, 2147483647},
        {DbValue::real(T::Single, 12.3), "12.3", 12.3, 12},
        {DbValue::real(T::Double, -15.75), "-15.75", -15.75, -15},
        {DbValue::logical(true), "真", 1, 1},
        {DbValue::logical(false), "假", 0, 0},
        {DbValue::text("12.9元"), "12.9元", 12.9, 12},
        {DbValue::text(""), "", 0, 0},
        {DbValue::dateTime({2017, 5, 15, 18, 0, 0}), "2017年5月15日18时", 42870.75, 42870},
        {DbValue::dateTime({1899, 12, 30, 0, 0, 0}), "1899年12月30日", 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.value.toText(), c.text);
        EXPECT_DOUBLE_EQ(c.value.toNumber(), c.number) << c.text;
        EXPECT_EQ(c.value.toInt(), c.integer) << c.text;
    }
}

TEST(DbValue, DateTimesComeBackFromTheirStoredText) {
    DateTime dt{2017, 5, 15, 9, 5, 0};
    EXPECT_EQ(DbValue::dateTime(dt).toDateTime(), dt);
    EXPECT_EQ(DbValue::text("2017-05-15 09:05:00").toDateTime(), dt);
    EXPECT_EQ(DbValue::text("soon").toDateTime(), DateTime{});
    EXPECT_EQ(DbValue().toDateTime(), DateTime{});
}
