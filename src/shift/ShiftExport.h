#pragma once
#include "spreadsheet/Progress.h"

#include <string>
#include <vector>

struct ShiftRecord;

// Handovers and day closes as a spreadsheet (.xlsx, or .csv by the path's
// ending): one row each, every figure in a column of its own.
namespace ShiftExport {

WriteResult toFile(const std::vector<ShiftRecord>& records, const std::string& path);

} // namespace ShiftExport
