#include "spreadsheet/TableFileFormat.h"

#include "spreadsheet/CsvTableWriter.h"
#include "spreadsheet/XlsxTableWriter.h"

#include <algorithm>
#include <cctype>

bool isCsvPath(const std::string& path) {
    if (path.size() < 4)
        return false;
    std::string extension = path.substr(path.size() - 4);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".csv";
}

std::unique_ptr<TableWriter> tableWriterFor(const std::string& path) {
    if (isCsvPath(path))
        return std::make_unique<CsvTableWriter>(path);
    return std::make_unique<XlsxTableWriter>(path);
}
