#include "storage/values/Money.h"
#include "storage/values/Values.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(Values, NumberToTextUsesThirteenSignificantDigits) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{15.5, "15.5"},
                 {16.0, "16"},
                 {0.0, "0"},
                 {-0.0, "0"},
                 {-3.25, "-3.25"},
                 {0.1 + 0.2, "0.3"},
                 {1e15, "1e+15"},
                 {123456.789, "123456.789"},
                 {1.0 / 3, "0.3333333333333"},
                 {2.0 / 0.0 - 2.0 / 0.0, "0"},
                 {1.0 / 0.0, "0"}};
    for (const auto& c : cases)
        EXPECT_EQ(Values::numberToText(c.value), c.text) << c.value;
}

TEST(Values, TextToNumberReadsTheLeadingNumber) {
    const struct {
        const char* text;
        double number;
        int integer;
    } cases[] = {{"12.5", 12.5, 12},
                 {"  -7.9元", -7.9, -7},
                 {"", 0, 0},
                 {"abc", 0, 0},
                 {"3e2x", 300, 3},
                 {"0x1A", 0, 0},
                 {"inf", 0, 0},
                 {"nan", 0, 0},
                 {".5", 0.5, 0},
                 {"+4", 4, 4},
                 {"99999999999", 99999999999.0, 2147483647},
                 {"-99999999999", -99999999999.0, -2147483647 - 1}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(Values::textToNumber(c.text), c.number) << c.text;
        EXPECT_EQ(Values::textToInt(c.text), c.integer) << c.text;
    }
}

TEST(Values, TruncationGoesTowardZero) {
    EXPECT_EQ(Values::truncateToInt(2.9), 2);
    EXPECT_EQ(Values::truncateToInt(-2.9), -2);
    EXPECT_EQ(Values::truncateToInt(1e20), 2147483647);
    EXPECT_EQ(Values::truncateToInt(0.0 / 0.0), 0);
}

TEST(Values, DateTimeTextsNameOnlyTheNonZeroTimeParts) {
    const struct {
        DateTime dt;
        const char* full;
    } cases[] = {{{2017, 5, 15, 12, 30, 5}, "2017年5月15日12时30分5秒"},
                 {{2017, 5, 15, 12, 30, 0}, "2017年5月15日12时30分"},
                 {{2017, 5, 15, 9, 0, 0}, "2017年5月15日9时"},
                 {{2017, 5, 15, 0, 0, 0}, "2017年5月15日"},
                 {{2017, 5, 15, 0, 0, 7}, "2017年5月15日0时0分7秒"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Values::dateTimeToText(c.dt), c.full);
        EXPECT_EQ(Values::dateToText(c.dt), "2017年5月15日");
    }
}

TEST(Values, TrimRemovesAsciiAndFullWidthBlanks) {
    EXPECT_EQ(Values::trim("  　宫保鸡丁 　 "), "宫保鸡丁");
    EXPECT_EQ(Values::trim("　"), "");
    EXPECT_EQ(Values::trim("a　b"), "a　b");
    EXPECT_EQ(Values::trim("\t12\r\n"), "12");
}

TEST(Values, RoundingIsHalfAwayFromZeroWithNudge) {
    const struct {
        double value;
        int decimals;
        double rounded;
    } cases[] = {{12.5, 0, 13},    {-12.5, 0, -13}, {12.4999, 0, 12}, {2.675, 2, 2.68},
                 {1.005, 2, 1.01}, {0.35, 1, 0.4},  {-0.35, 1, -0.4}, {7, 1, 7}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Values::roundTo(c.value, c.decimals), c.rounded) << c.value;
}

TEST(Values, QuotingDoublesEverySingleQuote) {
    EXPECT_EQ(Values::sqlQuote("Joe's"), "'Joe''s'");
    EXPECT_EQ(Values::sqlQuote("''"), "''''''");
    EXPECT_EQ(Values::sqlQuote(""), "''");
}

TEST(Values, TextAsNumberTakesOnlyWholeDecimalNumbers) {
    EXPECT_EQ(Values::textAsNumber(" 12.5 "), 12.5);
    EXPECT_EQ(Values::textAsNumber("-3e2"), -300);
    for (const char* text : {"", "12元", "0x10", "inf", "nan", "1e999", ".", "-"})
        EXPECT_FALSE(Values::textAsNumber(text)) << text;
}

TEST(Money, AmountsAreWholeFenFromTheBoxToTheText) {
    const std::pair<const char*, long long> typed[] = {
        {"15.5", 1550}, {" 12.50 ", 1250}, {"78.5", 7850}, {"-3.2", -320},  {"0.01", 1},
        {"1.005", 101}, {"1.004", 100},    {"3元", 300},   {"", 0},         {"abc", 0},
        {".5", 50},     {"1e3", 100000},   {"-0.005", -1}, {"99999999999.99", 9999999999999}};
    for (const auto& [text, fen] : typed)
        EXPECT_EQ(Money::fromText(text).fen(), fen) << text;

    const std::pair<long long, const char*> shown[] = {
        {1550, "15.5"}, {1600, "16"}, {1, "0.01"}, {-5, "-0.05"}, {105, "1.05"}, {0, "0"}};
    for (const auto& [fen, text] : shown)
        EXPECT_EQ(Money::fromFen(fen).text(), text) << fen;

    // A sum of binary fractions comes back to the fen it stands for.
    double sum = 0;
    for (int i = 0; i < 1000; ++i)
        sum += 0.1;
    EXPECT_EQ(Money::fromYuan(sum).fen(), 10000);
    EXPECT_EQ(Money::fromYuan(std::nan("")).fen(), 0);
}
