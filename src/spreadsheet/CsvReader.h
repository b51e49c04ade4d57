#pragma once
#include "spreadsheet/ColumnPicker.h"
#include "spreadsheet/SheetTable.h"

#include <string>

// Reads CSV as spreadsheet programs write it: commas, fields in double quotes
// with doubled quotes inside and line breaks allowed, CR LF or LF rows.
namespace CsvReader {

// The file's bytes as UTF-8: a byte-order mark is dropped, and text that is
// not valid UTF-8 is read as GBK, as older Chinese spreadsheet programs save it.
std::string decode(const std::string& bytes);
SheetTable parse(const std::string& text);

// The file's rows through the picker, each field taken in the file's
// encoding (UTF-8 after a byte-order mark or when the whole file is valid
// UTF-8, else GBK); false, with the reason in problem, at the first row
// whose text is not valid in that encoding or that lies past the limits.
bool read(const std::string& bytes, ColumnPicker& rows, std::string& problem);

} // namespace CsvReader
