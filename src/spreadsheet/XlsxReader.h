#pragma once
#include "spreadsheet/SheetTable.h"

#include <optional>
#include <string>

// Reads the first worksheet of an .xlsx file: shared and inline strings,
// numbers, booleans and the cached results of formulas, each as text.
namespace XlsxReader {

// Nothing when the file is not a workbook this can read.
std::optional<SheetTable> readFirstSheet(const std::string& path);

// "C12" -> column 2 (from 0); -1 when the reference has no column letters.
int columnOf(const std::string& reference);

} // namespace XlsxReader
