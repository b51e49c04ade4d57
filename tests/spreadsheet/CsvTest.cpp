#include "spreadsheet/CsvReader.h"
#include "spreadsheet/CsvTableWriter.h"

#include <gtest/gtest.h>

namespace {

TEST(Csv, FieldsSurviveTheRoundTripThroughWriterAndReader) {
    const std::pair<const char*, const char*> cases[] = {
        {"plain", "plain"},
        {"白云路 12 号, 3楼", "\"白云路 12 号, 3楼\""},
        {"他说\"好\"", "\"他说\"\"好\"\"\""},
        {"两行\r\n地址", "\"两行\r\n地址\""},
        {"=SUM(A1)", "'=SUM(A1)"},
        {"-3", "'-3"},
        {"", ""},
    };
    std::string line;
    std::vector<std::string> values;
    for (const auto& [value, field] : cases) {
        EXPECT_EQ(CsvTableWriter::field(value), field) << value;
        line += (line.empty() ? "" : ",") + CsvTableWriter::field(value);
        values.push_back(value);
    }
    values[4] = "'=SUM(A1)"; // the guard is the reader's to drop, where it knows the column
    values[5] = "'-3";
    EXPECT_EQ(CsvReader::parse(line + "\r\nnext\n"), (SheetTable{values, {"next"}}));
}

TEST(Csv, DecodingTakesUtf8WithOrWithoutAMarkAndElseGbk) {
    EXPECT_EQ(CsvReader::decode("\xEF\xBB\xBF菜名"), "菜名");
    EXPECT_EQ(CsvReader::decode("菜名"), "菜名");
    EXPECT_EQ(CsvReader::decode("\xB2\xCB\xC3\xFB"), "菜名");
}

} // namespace
