#pragma once
#include "spreadsheet/ColumnPicker.h"
#include "spreadsheet/SheetTable.h"

#include <optional>
#include <string>

// Reads the first worksheet of an .xlsx file: shared and inline strings,
// numbers, booleans and the cached results of formulas, each as text. The
// sheet is read as it is unpacked, a row at a time.
namespace XlsxReader {

// The rows through the picker; false, with the reason in problem, when the
// file is not a workbook this can read or lies past the limits.
bool readFirstSheet(const std::string& path, ColumnPicker& rows, std::string& problem);
// Every column; nothing when the file cannot be read.
std::optional<SheetTable> readFirstSheet(const std::string& path);

// "C12" -> column 2 (from 0); -1 when the reference has no column letters
// or names a column past the last one a sheet can have.
int columnOf(const std::string& reference);

} // namespace XlsxReader
