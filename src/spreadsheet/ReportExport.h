#pragma once
#include <string>

class ReportSheet;

// A report as its grid shows it: title, headings, rows, summary rows and
// notes, merged where the grid merges. An .xlsx file also gets the report's
// charts as the spreadsheet's own charts, drawn from the exported cells, so
// they follow the owner's edits; a .csv file holds the cells only.
namespace ReportExport {

// False when the file could not be written; an existing file is then kept.
bool toFile(const ReportSheet& sheet, const std::string& path);

constexpr const char* sheetName = "报表";

} // namespace ReportExport
