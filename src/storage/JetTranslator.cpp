#include "storage/JetTranslator.h"
#include "storage/DateTime.h"
#include "storage/PeriodRange.h"
#include "storage/Schema.h"
#include "storage/Values.h"
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

using Kind = SqlToken::Kind;

// Returned by the emitters instead of the next position when the statement is refused.
constexpr std::size_t failed = static_cast<std::size_t>(-1);

std::size_t skipBlanks(const std::vector<SqlToken>& t, std::size_t i) {
    while (i < t.size() && t[i].kind == Kind::Blank)
        ++i;
    return i;
}

std::size_t nextToken(const std::vector<SqlToken>& t, std::size_t i) {
    return skipBlanks(t, i + 1);
}

std::optional<std::size_t> previousToken(const std::vector<SqlToken>& t, std::size_t i) {
    while (i > 0) {
        --i;
        if (t[i].kind != Kind::Blank)
            return i;
    }
    return std::nullopt;
}

bool isWordAt(const std::vector<SqlToken>& t, std::size_t i, std::string_view word) {
    return i < t.size() && t[i].isWord(word);
}

bool isSymbolAt(const std::vector<SqlToken>& t, std::size_t i, std::string_view symbol) {
    return i < t.size() && t[i].isSymbol(symbol);
}

bool isComparison(const SqlToken& token) {
    if (token.kind != Kind::Symbol)
        return false;
    return token.isSymbol("=") || token.isSymbol("<") || token.isSymbol(">") ||
           token.isSymbol("<=") || token.isSymbol(">=") || token.isSymbol("<>");
}

bool isDateTimeColumn(const SqlToken& token) {
    return token.isName() && Schema::isDateTimeColumnName(token.name());
}

// True when the literal already has the form the column keeps, which is
// what most statements write: text in single quotes, whole numbers bare.
bool keepsLiteral(ColumnKind kind, const SqlToken& literal) {
    std::string_view text = literal.text;
    switch (kind) {
    case ColumnKind::Text:
    case ColumnKind::Memo:
        return literal.kind == Kind::String && text[0] == '\'';
    case ColumnKind::Int16:
    case ColumnKind::Int32:
    case ColumnKind::Decimal:
    case ColumnKind::AutoNumber:
        return literal.kind == Kind::Number &&
               text.find_first_of(".eE") == std::string_view::npos && text.size() < 16;
    case ColumnKind::Single:
    case ColumnKind::Double: {
        if (literal.kind != Kind::Number || text.find_first_of("eE") != std::string_view::npos)
            return false;
        std::size_t digits = text.size() - (text.find('.') != std::string_view::npos ? 1 : 0);
        return kind == ColumnKind::Double || digits <= 7;
    }
    default:
        return false;
    }
}

std::string wholeNumberText(double v) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.0f", Values::roundTo(v, 0));
    return std::string(buffer) == "-0" ? "0" : buffer;
}

std::string singleText(double v) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.7g", v);
    return buffer;
}

const char* wrapperFor(ColumnKind kind) {
    switch (kind) {
    case ColumnKind::DateTime:
        return "jet_datetime";
    case ColumnKind::Int16:
    case ColumnKind::Int32:
    case ColumnKind::Decimal:
        return "jet_whole";
    case ColumnKind::Single:
        return "jet_single";
    case ColumnKind::Double:
        return "jet_number";
    case ColumnKind::YesNo:
        return "jet_yesno";
    default:
        return nullptr;
    }
}

std::optional<int> yesNoValue(const std::string& text) {
    std::string t = Values::trim(text);
    for (char& c : t)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (t == "true" || t == "yes" || t == "on")
        return 1;
    if (t == "false" || t == "no" || t == "off")
        return 0;
    if (auto number = Values::textAsNumber(t))
        return *number != 0 ? 1 : 0;
    return std::nullopt;
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

// "alter table T add [column] C type[(n)]": the column gets the same checks
// as the columns of the template.
std::optional<std::string> translateAlterAdd(const std::vector<SqlToken>& t) {
    std::size_t i = skipBlanks(t, 0);
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
    return "ALTER TABLE " + std::string(t[table].text) + " ADD COLUMN " + Schema::columnSql(*def);
}

} // namespace

bool JetTranslator::translate(const std::string& jet, int currentYear, std::string& sqlite,
                              std::string& error) {
    if (!tokenizeSql(jet, m_tokens, error))
        return false;
    if (auto alter = translateAlterAdd(m_tokens)) {
        sqlite = *alter;
        return true;
    }
    m_slots.clear();
    Work w{m_tokens, currentYear, m_slots, {}, 0, {}, {}};
    w.out.reserve(jet.size() + 32);
    findSlots(w);
    if (!emitRange(w, 0, m_tokens.size())) {
        error = w.error;
        return false;
    }
    closeFrames(w);
    w.flush();
    sqlite = std::move(w.out);
    return true;
}

void JetTranslator::findSlots(Work& w) {
    const auto& t = w.tokens;
    std::size_t first = skipBlanks(t, 0);
    if (isWordAt(t, first, "insert")) {
        std::size_t into = nextToken(t, first);
        if (isWordAt(t, into, "into"))
            findInsertSlots(w, nextToken(t, into));
    } else if (isWordAt(t, first, "update")) {
        findUpdateSlots(w, nextToken(t, first));
    }
}

namespace {

// Items of a parenthesised, comma-separated list starting at `open`, as
// [begin, end) token ranges without surrounding blanks; `close` is set to the
// closing parenthesis. Empty when the list is not closed.
std::vector<std::pair<std::size_t, std::size_t>> listItems(const std::vector<SqlToken>& t,
                                                           std::size_t open, std::size_t& close) {
    std::vector<std::pair<std::size_t, std::size_t>> items;
    items.reserve(24);
    int depth = 0;
    std::size_t itemBegin = open + 1;
    for (std::size_t i = open + 1; i < t.size(); ++i) {
        if (t[i].isSymbol("("))
            ++depth;
        else if (t[i].isSymbol(")") && depth > 0)
            --depth;
        else if (depth == 0 && (t[i].isSymbol(",") || t[i].isSymbol(")"))) {
            std::size_t b = skipBlanks(t, itemBegin), e = i;
            while (e > b && t[e - 1].kind == Kind::Blank)
                --e;
            items.emplace_back(b, e);
            itemBegin = i + 1;
            if (t[i].isSymbol(")")) {
                close = i;
                return items;
            }
        }
    }
    return {};
}

} // namespace

void JetTranslator::findInsertSlots(Work& w, std::size_t tableAt) {
    const auto& t = w.tokens;
    if (tableAt >= t.size() || !t[tableAt].isName())
        return;
    const TableDef* table = Schema::findTable(t[tableAt].name());
    if (!table)
        return;
    std::vector<const ColumnDef*> columns;
    std::size_t at = nextToken(t, tableAt);
    if (isSymbolAt(t, at, "(")) {
        std::size_t close = 0;
        for (auto [b, e] : listItems(t, at, close)) {
            bool single = e == b + 1 && t[b].isName();
            const ColumnDef* previous = columns.empty() ? nullptr : columns.back();
            columns.push_back(single ? Schema::findColumnAfter(*table, t[b].name(), previous)
                                     : nullptr);
        }
        if (columns.empty())
            return;
        at = nextToken(t, close);
    } else {
        for (const ColumnDef& column : table->columns)
            columns.push_back(&column);
    }
    if (!isWordAt(t, at, "values"))
        return;
    std::size_t open = nextToken(t, at);
    std::size_t close = 0;
    if (!isSymbolAt(t, open, "("))
        return;
    auto values = listItems(t, open, close);
    if (values.size() != columns.size())
        return;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (columns[i] && values[i].second > values[i].first)
            w.valueSlots.push_back({values[i].first, values[i].second, columns[i]});
}

void JetTranslator::findUpdateSlots(Work& w, std::size_t tableAt) {
    const auto& t = w.tokens;
    if (tableAt >= t.size() || !t[tableAt].isName())
        return;
    const TableDef* table = Schema::findTable(t[tableAt].name());
    std::size_t at = nextToken(t, tableAt);
    if (!table || !isWordAt(t, at, "set"))
        return;
    std::size_t i = nextToken(t, at);
    while (i < t.size()) {
        std::size_t eq = nextToken(t, i);
        if (!t[i].isName() || !isSymbolAt(t, eq, "="))
            return;
        const ColumnDef* column = Schema::findColumn(*table, t[i].name());
        std::size_t b = nextToken(t, eq), e = b;
        int depth = 0;
        for (; e < t.size(); ++e) {
            if (t[e].isSymbol("("))
                ++depth;
            else if (t[e].isSymbol(")"))
                --depth;
            else if (depth == 0 &&
                     (t[e].isSymbol(",") || t[e].isWord("where") || t[e].isSymbol(";")))
                break;
        }
        std::size_t end = e;
        while (end > b && t[end - 1].kind == Kind::Blank)
            --end;
        if (column && end > b)
            w.valueSlots.push_back({b, end, column});
        if (e >= t.size() || !t[e].isSymbol(","))
            return;
        i = nextToken(t, e);
    }
}

bool JetTranslator::emitRange(Work& w, std::size_t begin, std::size_t end) {
    const auto& t = w.tokens;
    std::size_t slot = 0;
    for (std::size_t i = begin; i < end;) {
        while (slot < w.valueSlots.size() && w.valueSlots[slot].begin < i)
            ++slot;
        if (slot < w.valueSlots.size() && w.valueSlots[slot].begin == i &&
            w.valueSlots[slot].end <= end &&
            !(begin == w.valueSlots[slot].begin && end == w.valueSlots[slot].end)) {
            if (!emitSlot(w, w.valueSlots[slot]))
                return false;
            i = w.valueSlots[slot].end;
            continue;
        }
        const SqlToken& token = t[i];
        std::size_t next = i + 1;
        switch (token.kind) {
        case Kind::DateLiteral:
            if (!emitDateLiteral(w, token.value()))
                return false;
            break;
        case Kind::String:
            emitString(w, i);
            break;
        case Kind::Word:
            if (token.isWord("select"))
                next = emitSelect(w, i);
            else if (token.isWord("delete") && isSymbolAt(t, nextToken(t, i), "*"))
                next = emitDelete(w, i);
            else if (token.isWord("cdate") && isSymbolAt(t, nextToken(t, i), "("))
                next = emitCdate(w, i);
            else if (token.isWord("format") && isSymbolAt(t, nextToken(t, i), "("))
                next = emitFormat(w, i);
            else
                w.keep(token.text);
            if (next == failed)
                return false;
            break;
        case Kind::Symbol:
            if (token.isSymbol("(")) {
                ++w.depth;
            } else if (token.isSymbol(")")) {
                closeFrames(w);
                --w.depth;
            } else if (token.isSymbol(";") && w.depth == 0) {
                closeFrames(w);
            }
            w.keep(token.text);
            break;
        default:
            w.keep(token.text);
        }
        if (next > end)
            next = end;
        i = next;
    }
    return true;
}

bool JetTranslator::emitSlot(Work& w, const Slot& slot) {
    const auto& t = w.tokens;
    const ColumnDef& column = *slot.column;
    std::size_t count = slot.end - slot.begin;
    const SqlToken& first = t[slot.begin];
    bool literal =
        first.kind == Kind::String || first.kind == Kind::Number || first.kind == Kind::DateLiteral;
    if (count == 1 && literal)
        return emitLiteral(w, column, nullptr, first);
    if (count == 1 && first.isWord("null")) {
        w.keep(first.text);
        return true;
    }
    std::size_t numberAt = nextToken(t, slot.begin);
    if ((first.isSymbol("-") || first.isSymbol("+")) && numberAt + 1 == slot.end &&
        t[numberAt].kind == Kind::Number)
        return emitLiteral(w, column, &first, t[numberAt]);
    const char* wrapper = wrapperFor(column.kind);
    if (wrapper)
        w.write(std::string(wrapper) + "(");
    if (!emitRange(w, slot.begin, slot.end))
        return false;
    if (wrapper)
        w.write(")");
    return true;
}

bool JetTranslator::emitLiteral(Work& w, const ColumnDef& column, const SqlToken* sign,
                                const SqlToken& literal) {
    if (!sign && keepsLiteral(column.kind, literal)) {
        w.keep(literal.text);
        return true;
    }
    bool isText = literal.kind != Kind::Number;
    std::string text = isText ? literal.value() : std::string(literal.text);
    if (sign && sign->isSymbol("-"))
        text = "-" + text;
    auto refuse = [&](const char* what) {
        w.error = "值“" + text + "”不能存入列“" + column.name + "”：" + what;
        return false;
    };
    switch (column.kind) {
    case ColumnKind::Text:
    case ColumnKind::Memo:
        w.write(Values::sqlQuote(text));
        return true;
    case ColumnKind::DateTime: {
        auto dt = isText ? DateTime::parse(text, w.year) : std::nullopt;
        if (!dt)
            return refuse("不是有效的日期时间。");
        w.write("'" + dt->canonical() + "'");
        return true;
    }
    case ColumnKind::YesNo: {
        auto v = yesNoValue(text);
        if (!v || literal.kind == Kind::DateLiteral)
            return refuse("不是是/否值。");
        w.write(*v ? "1" : "0");
        return true;
    }
    default:
        break;
    }
    auto number = literal.kind == Kind::DateLiteral ? std::nullopt : Values::textAsNumber(text);
    if (!number)
        return refuse("不是数字。");
    switch (column.kind) {
    case ColumnKind::Int16:
    case ColumnKind::Int32:
    case ColumnKind::Decimal:
        w.write(wholeNumberText(*number));
        break;
    case ColumnKind::Single:
        w.write(singleText(*number));
        break;
    default:
        w.write(Values::numberToText(*number));
    }
    return true;
}

std::size_t JetTranslator::emitSelect(Work& w, std::size_t at) {
    const auto& t = w.tokens;
    w.keep(t[at].text);
    w.frames.push_back({w.depth, {}});
    std::size_t i = nextToken(t, at);
    std::size_t afterSelect = at + 1;
    if (isWordAt(t, i, "distinct") || isWordAt(t, i, "distinctrow") || isWordAt(t, i, "all")) {
        w.write(" ");
        w.write(t[i].isWord("distinctrow") ? "DISTINCT" : t[i].text);
        afterSelect = i + 1;
        i = nextToken(t, i);
    }
    std::size_t number = nextToken(t, i);
    if (isWordAt(t, i, "top") && number < t.size() && t[number].kind == Kind::Number) {
        w.frames.back().limit = std::string(t[number].text);
        return number + 1;
    }
    return afterSelect;
}

// "Delete * from": SQLite knows no star there.
std::size_t JetTranslator::emitDelete(Work& w, std::size_t at) {
    w.keep(w.tokens[at].text);
    return nextToken(w.tokens, at) + 1;
}

std::size_t JetTranslator::emitCdate(Work& w, std::size_t at) {
    const auto& t = w.tokens;
    std::size_t open = nextToken(t, at);
    std::size_t value = nextToken(t, open);
    std::size_t close = nextToken(t, value);
    if (value < t.size() && t[value].kind == Kind::String && isSymbolAt(t, close, ")")) {
        if (!emitDateLiteral(w, t[value].value()))
            return failed;
        return close + 1;
    }
    w.write("jet_cdate");
    return at + 1;
}

std::size_t JetTranslator::emitFormat(Work& w, std::size_t at) {
    const auto& t = w.tokens;
    std::size_t open = nextToken(t, at);
    std::size_t column = nextToken(t, open);
    std::size_t comma = nextToken(t, column);
    std::size_t pattern = nextToken(t, comma);
    std::size_t close = nextToken(t, pattern);
    // Date-times are stored as "YYYY-MM-DD HH:MM:SS", so these patterns are
    // prefixes of the stored text.
    if (column < t.size() && isDateTimeColumn(t[column]) && isSymbolAt(t, comma, ",") &&
        pattern < t.size() && t[pattern].kind == Kind::String && isSymbolAt(t, close, ")")) {
        std::string p = t[pattern].value();
        const char* length = p == "yyyy"         ? "4"
                             : p == "yyyy-mm"    ? "7"
                             : p == "yyyy-mm-dd" ? "10"
                                                 : nullptr;
        if (length) {
            w.flush();
            if (std::size_t after = PeriodRange::emit(t, at, column, pattern, close, w.out))
                return after;
            w.write("substr(" + std::string(t[column].text) + ",1," + length + ")");
            return close + 1;
        }
    }
    w.write("jet_format");
    return at + 1;
}

bool JetTranslator::emitDateLiteral(Work& w, const std::string& text) {
    auto dt = DateTime::parse(text, w.year);
    if (!dt) {
        w.error = "“" + text + "”不是有效的日期时间。";
        return false;
    }
    w.write("'" + dt->canonical() + "'");
    return true;
}

void JetTranslator::emitString(Work& w, std::size_t at) {
    const auto& t = w.tokens;
    const SqlToken& token = t[at];
    // Text compared with a date-time column is read as a date, as Jet did.
    bool besideDate = false;
    auto before = previousToken(t, at);
    if (before && isComparison(t[*before]))
        if (auto column = previousToken(t, *before))
            besideDate = isDateTimeColumn(t[*column]);
    std::size_t after = nextToken(t, at);
    if (!besideDate && after < t.size() && isComparison(t[after]))
        besideDate = nextToken(t, after) < t.size() && isDateTimeColumn(t[nextToken(t, after)]);
    if (besideDate)
        if (auto dt = DateTime::parse(token.value(), w.year)) {
            w.write("'" + dt->canonical() + "'");
            return;
        }
    if (token.text[0] == '"')
        w.write(Values::sqlQuote(token.value()));
    else
        w.keep(token.text);
}

// Ends the selects opened at the current parenthesis depth, each with its
// "top" as LIMIT.
void JetTranslator::closeFrames(Work& w) {
    while (!w.frames.empty() && w.frames.back().depth >= w.depth) {
        if (!w.frames.back().limit.empty())
            w.write(" LIMIT " + w.frames.back().limit);
        w.frames.pop_back();
    }
}
