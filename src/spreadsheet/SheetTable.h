#pragma once
#include <string>
#include <vector>

// The cells of a sheet read back as texts, row by row (numbers in the
// "%.13g" form), rows as long as their last filled cell.
using SheetTable = std::vector<std::vector<std::string>>;
