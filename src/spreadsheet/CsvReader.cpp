#include "spreadsheet/CsvReader.h"

#include "storage/values/TextCodec.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace CsvReader {
namespace {

const std::string bom = "\xEF\xBB\xBF";

// Calls field for each field and endRow after each row; either returning
// false stops the reading. A blank line is a row without fields.
void fields(const std::string& text, const std::function<bool(std::string&&)>& field,
            const std::function<bool()>& endRow) {
    std::string value;
    bool quoted = false;
    bool rowHasContent = false;
    auto endField = [&] {
        rowHasContent = true;
        return field(std::exchange(value, {}));
    };
    auto finishRow = [&] {
        if ((rowHasContent || !value.empty()) && !endField())
            return false;
        rowHasContent = false;
        return endRow();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        bool going = true;
        if (quoted) {
            if (c != '"')
                value += c;
            else if (i + 1 < text.size() && text[i + 1] == '"')
                value += text[++i];
            else
                quoted = false;
        } else if (c == '"') {
            quoted = true;
            rowHasContent = true;
        } else if (c == ',') {
            going = endField();
        } else if (c == '\n') {
            going = finishRow();
        } else if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            going = finishRow();
        } else {
            value += c;
        }
        if (!going)
            return;
    }
    if (rowHasContent || !value.empty())
        finishRow();
}

bool isAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The field as UTF-8, or false when it is not valid in its encoding.
bool decodeField(std::string& field, bool gbk) {
    if (isAscii(field))
        return true;
    if (!gbk)
        return TextCodec::isValidUtf8(field);
    std::string utf8 = TextCodec::gbkToUtf8(field);
    // Bytes that are no GBK become '?' and so do not convert back.
    if (TextCodec::utf8ToGbk(utf8) != field)
        return false;
    field = std::move(utf8);
    return true;
}

} // namespace

std::string decode(const std::string& bytes) {
    if (bytes.compare(0, bom.size(), bom) == 0)
        return bytes.substr(bom.size());
    return TextCodec::isValidUtf8(bytes) ? bytes : TextCodec::gbkToUtf8(bytes);
}

SheetTable parse(const std::string& text) {
    SheetTable rows;
    std::vector<std::string> row;
    fields(
        text,
        [&](std::string&& value) {
            row.push_back(std::move(value));
            return true;
        },
        [&] {
            rows.push_back(std::exchange(row, {}));
            return true;
        });
    return rows;
}

bool read(const std::string& bytes, ColumnPicker& rows, std::string& problem) {
    const bool marked = bytes.compare(0, bom.size(), bom) == 0;
    const std::string text = marked ? bytes.substr(bom.size()) : std::string();
    const std::string& body = marked ? text : bytes;
    const bool gbk = !marked && !TextCodec::isValidUtf8(body);
    std::size_t line = 1;
    int column = -1;
    rows.startRow(line);
    problem.clear();
    fields(
        body,
        [&](std::string&& value) {
            if (!decodeField(value, gbk)) {
                problem = "第" + std::to_string(line) + "行的文字不是有效的" +
                          (gbk ? "GBK" : "UTF-8") + "编码，请把文件另存为UTF-8编码的CSV后重试。";
                return false;
            }
            if (rows.cell(++column, std::move(value)))
                return true;
            problem = rows.problem();
            return false;
        },
        [&] {
            rows.endRow();
            rows.startRow(++line);
            column = -1;
            return true;
        });
    return problem.empty();
}

} // namespace CsvReader
