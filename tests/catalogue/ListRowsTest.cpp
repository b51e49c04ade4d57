#include "catalogue/ListRows.h"

#include <gtest/gtest.h>

namespace {

TEST(FindRow, MatchesOneColumnExactly) {
    const ListRows rows = {
        {"", "001", "Abc"}, {"", "1", "abc"}, {"", "2", "abc "}, {"", "3", "abc"}, {"", "4"},
    };
    struct Case {
        const char* text;
        int column;
        int row;
    };
    const Case cases[] = {
        {"1", 1, 1},    // 001 and 1 are different codes
        {"001", 1, 0},  //
        {"abc", 2, 1},  // case-sensitive; the first of two equal rows
        {"Abc", 2, 0},  //
        {"abc ", 2, 2}, // no trimming
        {"ab", 2, -1},  // no partial match
        {"", 0, 0},     // the hidden column is empty
        {"abc", 5, -1}, // a column past the row's end
        {"abc", -1, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(findRow(rows, c.text, c.column), c.row) << c.text << " in column " << c.column;
    EXPECT_EQ(findRow({}, "", 0), -1);
}

TEST(SelectionAfterRemoval, StaysAtTheIndexOrMovesToTheNewLastRow) {
    EXPECT_EQ(selectionAfterRemoval(1, 3), 1);  // a middle row: the next row moves up
    EXPECT_EQ(selectionAfterRemoval(0, 2), 0);  // the first row
    EXPECT_EQ(selectionAfterRemoval(3, 3), 2);  // the last row: the new last row
    EXPECT_EQ(selectionAfterRemoval(0, 0), -1); // the only row: no selection
}

} // namespace
