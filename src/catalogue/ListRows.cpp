#include "catalogue/ListRows.h"

int findRow(const ListRows& rows, const std::string& text, int column) {
    for (size_t i = 0; i < rows.size(); ++i) {
        const ListRow& row = rows[i];
        if (column >= 0 && static_cast<size_t>(column) < row.size() && row[column] == text)
            return static_cast<int>(i);
    }
    return -1;
}

int selectionAfterRemoval(int removedIndex, int remainingCount) {
    if (remainingCount <= 0)
        return -1;
    return removedIndex < remainingCount ? removedIndex : remainingCount - 1;
}
