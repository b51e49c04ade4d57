#include "storage/dialect/JetAlterTable.h"
#include "storage/schema/Schema.h"
#include "storage/schema/ServerSchema.h"
#include "storage/values/Values.h"

namespace JetAlterTable {
namespace {

using Kind = SqlToken::Kind;

std::size_t nextToken(const std::vector<SqlToken>& t, std::size_t i) {
    return skipBlankTokens(t, i + 1);
}

bool isWordAt(const std::vector<SqlToken>& t, std::size_t i, std::string_view word) {
    return i < t.size() && t[i].isWord(word);
}

bool isSymbolAt(const std::vector<SqlToken>& t, std::size_t i, std::string_view symbol) {
    return i < t.size() && t[i].isSymbol(symbol);
}

// Access type names in ALTER TABLE ... ADD, mapped to the columns of this database.
std::optional<ColumnDef> columnFromJetType(const std::string& name, const std::string& type,
                                           int length) {
    static const struct {
        const char* jet;
        ColumnKind kind;
    } types[] = {{"varchar", ColumnKind::Text},    {"text", ColumnKind::Text},
                 {"char", ColumnKind::Text},       {"memo", ColumnKind::Memo},
                 {"integer", ColumnKind::Int32},   {"int", ColumnKind::Int32},
                 {"long", ColumnKind::Int32},      {"smallint", ColumnKind::Int16},
                 {"short", ColumnKind::Int16},     {"single", ColumnKind::Single},
                 {"real", ColumnKind::Single},     {"double", ColumnKind::Double},
                 {"float", ColumnKind::Double},    {"datetime", ColumnKind::DateTime},
                 {"date", ColumnKind::DateTime},   {"bit", ColumnKind::YesNo},
                 {"yesno", ColumnKind::YesNo},     {"logical", ColumnKind::YesNo},
                 {"decimal", ColumnKind::Decimal}, {"money", ColumnKind::Double}};
    for (const auto& entry : types)
        if (Schema::equalsIgnoringCase(type, entry.jet)) {
            int textLength = length > 0 ? length : 255;
            return ColumnDef{name, entry.kind, entry.kind == ColumnKind::Text ? textLength : 0};
        }
    return std::nullopt;
}

} // namespace

std::optional<std::string> translate(const std::vector<SqlToken>& t, bool postgres) {
    std::size_t i = skipBlankTokens(t, 0);
    if (!isWordAt(t, i, "alter") || !isWordAt(t, i = nextToken(t, i), "table"))
        return std::nullopt;
    std::size_t table = nextToken(t, i);
    std::size_t add = nextToken(t, table);
    if (table >= t.size() || !t[table].isName() || !isWordAt(t, add, "add"))
        return std::nullopt;
    std::size_t column = nextToken(t, add);
    if (isWordAt(t, column, "column"))
        column = nextToken(t, column);
    std::size_t type = nextToken(t, column);
    if (type >= t.size() || !t[column].isName() || t[type].kind != Kind::Word)
        return std::nullopt;
    int length = 0;
    std::size_t end = nextToken(t, type);
    if (isSymbolAt(t, end, "(")) {
        std::size_t number = nextToken(t, end);
        std::size_t close = nextToken(t, number);
        if (number >= t.size() || t[number].kind != Kind::Number || !isSymbolAt(t, close, ")"))
            return std::nullopt;
        length = Values::textToInt(std::string(t[number].text));
        end = nextToken(t, close);
    }
    if (end < t.size() && !isSymbolAt(t, end, ";"))
        return std::nullopt;
    auto def = columnFromJetType(std::string(t[column].name()), std::string(t[type].text), length);
    if (!def)
        return std::nullopt;
    if (postgres)
        return "ALTER TABLE " + ServerSchema::name(t[table].name()) + " ADD COLUMN " +
               ServerSchema::columnSql(*def);
    return "ALTER TABLE " + std::string(t[table].text) + " ADD COLUMN " + Schema::columnSql(*def);
}

} // namespace JetAlterTable
