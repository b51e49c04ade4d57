#include "spreadsheet/MenuFile.h"

#include "catalogue/DishCatalogue.h"
#include "spreadsheet/CsvReader.h"
#include "spreadsheet/MenuImport.h"
#include "spreadsheet/TableFileFormat.h"
#include "spreadsheet/XlsxReader.h"
#include "storage/values/Values.h"

#include <fstream>

namespace MenuFile {
namespace {

// Far above any menu; a larger file is refused rather than read into memory.
constexpr std::streamoff maximumCsvSize = 16 << 20;

const std::string zipMagic = "PK\x03\x04";

} // namespace

std::optional<SheetTable> read(const std::string& path, std::string& problem) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        problem = "无法打开文件：" + path;
        return std::nullopt;
    }
    std::string head(zipMagic.size(), '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    ColumnPicker rows(MenuImport::headings());
    if (in.gcount() == static_cast<std::streamsize>(head.size()) && head == zipMagic) {
        if (!XlsxReader::readFirstSheet(path, rows, problem))
            return std::nullopt;
        return rows.take();
    }
    in.clear();
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size > maximumCsvSize) {
        problem = "文件太大，不像是一份菜单。";
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.seekg(0);
    in.read(bytes.data(), size);
    if (!CsvReader::read(bytes, rows, problem))
        return std::nullopt;
    return rows.take();
}

WriteResult write(Database& db, const std::string& path) {
    // A catalogue that could not be read writes no file rather than an empty menu.
    const ReadResult<ListRows> dishes = DishCatalogue(db).loadMenu();
    if (!dishes)
        return WriteResult::Failed;
    auto writer = tableWriterFor(path);
    writer->startTable("菜单", {{"数字代号", 10},
                                {"字母代号", 12},
                                {"菜名", 24},
                                {"价格", 9},
                                {"单位", 7},
                                {"出品部门", 12}});
    for (const auto& row : *dishes) {
        writer->text(row[DishCatalogue::Code]);
        writer->text(row[DishCatalogue::Letters]);
        writer->text(row[DishCatalogue::Name]);
        writer->number(Values::textToNumber(row[DishCatalogue::Price]));
        writer->text(row[DishCatalogue::Unit]);
        writer->text(row[DishCatalogue::Station]);
        writer->endRow();
    }
    return writer->finish();
}

} // namespace MenuFile
