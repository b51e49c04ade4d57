#pragma once
#include <string>
#include <vector>

// The texts of the rows of a maintenance window's list, column by column.
// Column 0 is the list's hidden column and always empty.
using ListRow = std::vector<std::string>;
using ListRows = std::vector<ListRow>;

// The first row whose text in the column equals the text exactly (byte for
// byte, case-sensitive, untrimmed), or -1.
int findRow(const ListRows& rows, const std::string& text, int column);

// The row to select after the selected row was removed from a list that now
// holds remainingCount rows: the same index, else the new last row, else -1.
int selectionAfterRemoval(int removedIndex, int remainingCount);
