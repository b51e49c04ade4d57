#pragma once
#include "spreadsheet/SheetTable.h"

#include <string>

// Reads CSV as spreadsheet programs write it: commas, fields in double quotes
// with doubled quotes inside and line breaks allowed, CR LF or LF rows.
namespace CsvReader {

// The file's bytes as UTF-8: a byte-order mark is dropped, and text that is
// not valid UTF-8 is read as GBK, as older Chinese spreadsheet programs save it.
std::string decode(const std::string& bytes);
SheetTable parse(const std::string& text);

} // namespace CsvReader
