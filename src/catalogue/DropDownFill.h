#pragma once
#include "storage/engine/ReadResult.h"

#include <string>
#include <vector>

class Database;

// The entries a drop-down is refilled with, and which of them to select.
struct DropDownFill {
    std::vector<std::string> entries;
    int selected = -1; // -1: no entry

    // An empty first entry, then the column of every row of the select; the
    // last entry equal to the text shown before becomes the selection.
    static ReadResult<DropDownFill> fromTable(Database& db, const std::string& select,
                                              const std::string& column,
                                              const std::string& shownText);
    // Every unit name, no empty entry and no selection.
    static ReadResult<DropDownFill> units(Database& db);
    // Why a drop-down could not be refilled, for the cashier.
    static std::string failureMessage(const ReadFailure& failure);
};
