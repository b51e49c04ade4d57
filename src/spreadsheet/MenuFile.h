#pragma once
#include "spreadsheet/Progress.h"
#include "spreadsheet/SheetTable.h"

#include <optional>
#include <string>

class Database;

// A menu as a spreadsheet: a heading row 数字代号, 字母代号, 菜名, 价格, 单位,
// 出品部门, then one dish a row. Moves a catalogue from one shop to another.
namespace MenuFile {

// The first sheet of an .xlsx file (known by its content, whatever its name)
// or the rows of a CSV file in UTF-8 or GBK, with only the columns an import
// reads. Nothing, with the reason in problem, when the file cannot be read
// or is past the limits of a menu.
std::optional<SheetTable> read(const std::string& path, std::string& problem);

// Every dish of the catalogue, in the catalogue's order; .xlsx or .csv by
// the path's extension. Codes stay text, so 001 keeps its zeros.
WriteResult write(Database& db, const std::string& path);

} // namespace MenuFile
