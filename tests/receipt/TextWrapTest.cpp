#include "receipt/TextWrap.h"

#include <gtest/gtest.h>

namespace {

struct WrapCase {
    const char* name;
    std::string text;
    int limit;
    std::string expected;
};

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

class WrapTextTest : public testing::TestWithParam<WrapCase> {};

TEST_P(WrapTextTest, BreaksAsTheCashierExpects) {
    EXPECT_EQ(wrapText(GetParam().text, GetParam().limit), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WrapTextTest,
    testing::Values(
        WrapCase{"FourteenHanziAt26", repeat("汉", 14), 26, repeat("汉", 13) + "\r\n汉"},
        WrapCase{"HanziStartingAtByte25MovesDown", "a" + repeat("汉", 13), 26,
                 "a" + repeat("汉", 12) + "\r\n汉"},
        WrapCase{"CommaTakesItsCharacterAlong", "中国，人民", 4, "中\r\n国，\r\n人民"},
        WrapCase{"OpeningMarkNeverEndsALine", "一二三《书》", 8, "一二三\r\n《书》"},
        WrapCase{"AsciiWordMovesWhole", "ab cdefgh", 5, "ab \r\ncdefg\r\nh"},
        WrapCase{"WordEndingAtLimitBeforeSpaceMoves", "ab cde fg", 6, "ab \r\ncde fg"},
        WrapCase{"WordAtLineStartIsCut", "abcdefgh", 3, "abc\r\ndef\r\ngh"},
        WrapCase{"ShortTextUnchanged", "白云快餐", 26, "白云快餐"},
        WrapCase{"EmptyText", "", 26, ""},
        WrapCase{"BreakInTextKept", "abcdef\r\nxy", 4, "abcd\r\nef\r\nxy"},
        WrapCase{"BreakBeforeClosingMarkStaysPut", "ab\r\n，cdef", 4, "ab\r\n，\r\ncdef"},
        WrapCase{"LimitZeroStillEnds", "ab", 0, "a\r\nb\r\n"},
        WrapCase{"LimitOneStillEnds", "中国", 1, "中\r\n国\r\n"},
        WrapCase{"RunOfClosingMarksStillEnds", "，，，", 2, "，\r\n，\r\n，"},
        WrapCase{"CharacterOutsideGbkKeptWhole", "😀😀😀", 4, "😀😀\r\n😀"}),
    [](const testing::TestParamInfo<WrapCase>& info) { return std::string(info.param.name); });

} // namespace
