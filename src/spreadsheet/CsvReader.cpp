#include "spreadsheet/CsvReader.h"

#include "storage/values/TextCodec.h"

namespace CsvReader {

std::string decode(const std::string& bytes) {
    static const std::string bom = "\xEF\xBB\xBF";
    if (bytes.compare(0, bom.size(), bom) == 0)
        return bytes.substr(bom.size());
    return TextCodec::isValidUtf8(bytes) ? bytes : TextCodec::gbkToUtf8(bytes);
}

SheetTable parse(const std::string& text) {
    SheetTable rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    bool rowHasContent = false;
    auto endField = [&] {
        row.push_back(std::move(field));
        field.clear();
        rowHasContent = true;
    };
    auto endRow = [&] {
        if (rowHasContent || !field.empty())
            endField();
        rows.push_back(std::move(row));
        row.clear();
        rowHasContent = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else
                quoted = false;
        } else if (c == '"') {
            quoted = true;
            rowHasContent = true;
        } else if (c == ',') {
            endField();
        } else if (c == '\n') {
            endRow();
        } else if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            endRow();
        } else {
            field += c;
        }
    }
    if (rowHasContent || !field.empty())
        endRow();
    return rows;
}

} // namespace CsvReader
