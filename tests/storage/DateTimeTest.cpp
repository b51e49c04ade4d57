#include "storage/values/DateTime.h"
#include "storage/dialect/JetFunctions.h"
#include <gtest/gtest.h>

TEST(DateTime, ParsesTheTextsDateColumnsAccept) {
    const struct {
        const char* text;
        const char* canonical;
    } cases[] = {
        {"05-15 12:30", "2026-05-15 12:30:00"},
        {"12-30 01:59", "2026-12-30 01:59:00"},
        {"2017/05/15 09:05", "2017-05-15 09:05:00"},
        {"2017-05-15 09:05", "2017-05-15 09:05:00"},
        {"2017/5/15 3:7", "2017-05-15 03:07:00"},
        {"2017年5月15日3时7分", "2017-05-15 03:07:00"},
        {"2017年5月15日", "2017-05-15 00:00:00"},
        {"2017年5月15日23时59分59秒", "2017-05-15 23:59:59"},
        {"2017年5月15日0时0分0秒", "2017-05-15 00:00:00"},
        {"2017年5月15日9时", "2017-05-15 09:00:00"},
        {"2017-05-15 09:05:33", "2017-05-15 09:05:33"},
        {" 2017-05-15 ", "2017-05-15 00:00:00"},
        {"2016/2/29", "2016-02-29 00:00:00"},
        {"5/15/2017", "2017-05-15 00:00:00"},
    };
    for (const auto& c : cases) {
        auto dt = DateTime::parse(c.text, 2026);
        ASSERT_TRUE(dt) << c.text;
        EXPECT_EQ(dt->canonical(), c.canonical) << c.text;
        EXPECT_EQ(DateTime::fromCanonical(c.canonical), dt);
    }
}

TEST(DateTime, RefusesTextThatIsNoDate) {
    for (const char* text :
         {"", "abc", "2017-13-01", "2017-02-30", "2017/5/15 25:00", "2017-05-15 12:60", "2017年5月",
          "2017年5月32日", "05-15 12", "12:30", "2017-05/15", "2017-05-15x", "2017年5月15日3时7",
          "17-05-15", "2015/2/29"})
        EXPECT_FALSE(DateTime::parse(text, 2026)) << text;
    EXPECT_FALSE(DateTime::fromCanonical("2017-05-15 12:30"));
}

TEST(DateTime, CanonicalTextSortsInTimeOrder) {
    DateTime a{2017, 5, 9, 23, 0, 0}, b{2017, 5, 10, 1, 0, 0};
    EXPECT_LT(a, b);
    EXPECT_LT(a.canonical(), b.canonical());
}

TEST(DateTime, FormatsWithAccessPatterns) {
    DateTime dt{2017, 5, 8, 7, 4, 3};
    const struct {
        const char* pattern;
        const char* text;
    } cases[] = {{"yyyy", "2017"},
                 {"yyyy-mm", "2017-05"},
                 {"yyyy-mm-dd", "2017-05-08"},
                 {"yyyy年m月d日", "2017年5月8日"},
                 {"hh:mm:ss", "07:04:03"},
                 {"yy/q", "17/2"},
                 {"d/m/yy h:m:s", "8/5/17 7:4:3"},
                 {"dd hh:nn", "08 07:04"}};
    for (const auto& c : cases)
        EXPECT_EQ(JetFunctions::formatDateTime(dt, c.pattern), c.text) << c.pattern;
}
