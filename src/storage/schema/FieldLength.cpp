#include "storage/schema/FieldLength.h"

#include "storage/schema/Schema.h"

#include <algorithm>

namespace FieldLength {
namespace {

// Characters as the database counts them: UTF-8 sequences, not bytes.
int characters(const std::string& text) {
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

} // namespace

std::string refusal(std::initializer_list<Field> fields) {
    for (const Field& field : fields) {
        const TableDef* table = Schema::findTable(field.table);
        const ColumnDef* column = table ? Schema::findColumn(*table, field.column) : nullptr;
        if (column && column->kind == ColumnKind::Text && characters(*field.text) > column->length)
            return std::string(field.caption) + "不能超过" + std::to_string(column->length) +
                   "个字。";
    }
    return {};
}

} // namespace FieldLength
