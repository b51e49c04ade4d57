#include "storage/dialect/JetTranslator.h"
#include "storage/values/DateTime.h"
#include "storage/dialect/JetAlterTable.h"
#include "storage/dialect/PeriodRange.h"
#include "storage/schema/Schema.h"
#include "storage/schema/ServerSchema.h"
#include "storage/values/Values.h"
#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

using Kind = SqlToken::Kind;

// Returned by the emitters instead of the next position when the statement is refused.
constexpr std::size_t failed = static_cast<std::size_t>(-1);

std::size_t nextToken(const std::vector<SqlToken>& t, std::size_t i) {
    return skipBlankTokens(t, i + 1);
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
    case ColumnKind::Money: {
        const std::size_t point = text.find('.');
        return literal.kind == Kind::Number && text.find_first_of("eE") == std::string_view::npos &&
               text.size() < 17 && (point == std::string_view::npos || text.size() - point <= 3);
    }
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
    case ColumnKind::Money:
        return "jet_money";
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

// Words after "from (select ...)" that mean the subquery has no name yet.
bool endsDerivedTable(const std::vector<SqlToken>& t, std::size_t i) {
    if (i >= t.size() || t[i].kind != Kind::Word)
        return true;
    for (const char* word : {"where", "order", "group", "having", "union", "limit", "join", "inner",
                             "left", "right", "on", "cross", "full", "except"})
        if (t[i].isWord(word))
            return true;
    return false;
}

} // namespace

bool JetTranslator::translate(const std::string& jet, int currentYear, std::string& sqlite,
                              std::string& error) {
    if (!tokenizeSql(jet, m_tokens, error))
        return false;
    const bool postgres = m_target == Target::Postgres;
    if (auto alter = JetAlterTable::translate(m_tokens, postgres)) {
        sqlite = *alter;
        return true;
    }
    m_slots.clear();
    Work w{m_tokens, currentYear, postgres, m_slots, {}, 0, {}, {}, {}};
    w.out.reserve(jet.size() + 32);
    findSlots(w);
    if (!emitRange(w, 0, m_tokens.size())) {
        error = w.error;
        return false;
    }
    closeFrames(w);
    w.flush();
    if (postgres)
        appendReturning(w);
    sqlite = std::move(w.out);
    return true;
}

void JetTranslator::findSlots(Work& w) {
    const auto& t = w.tokens;
    std::size_t first = skipBlankTokens(t, 0);
    if (isWordAt(t, first, "insert")) {
        std::size_t into = nextToken(t, first);
        if (isWordAt(t, into, "into"))
            findInsertSlots(w, nextToken(t, into));
    } else if (isWordAt(t, first, "update")) {
        findUpdateSlots(w, nextToken(t, first));
    }
}

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
                emitName(w, token);
            if (next == failed)
                return false;
            break;
        case Kind::Bracketed:
            emitName(w, token);
            break;
        case Kind::Symbol:
            if (token.isSymbol("(")) {
                emitOpen(w, i);
            } else if (token.isSymbol(")")) {
                emitClose(w, i);
            } else {
                if (token.isSymbol(";") && w.depth == 0)
                    closeFrames(w);
                w.keep(token.text);
            }
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
    case ColumnKind::Money:
        w.write(Values::numberToText(Values::roundTo(*number, 2)));
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
    // PostgreSQL reads a letter right before a quote as a prefix (E'..' escapes).
    if (w.postgres &&
        (std::isalnum(static_cast<unsigned char>(w.lastChar())) || w.lastChar() == '_'))
        w.write(" ");
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

// Names in brackets, and on the server every name that is not plain ASCII,
// in the form the engine reads.
void JetTranslator::emitName(Work& w, const SqlToken& token) {
    if (!w.postgres) {
        w.keep(token.text);
        return;
    }
    if (token.kind == Kind::Bracketed || !ServerSchema::isPlainName(token.text))
        w.write(ServerSchema::name(token.name()));
    else
        w.keep(token.text);
    // Start-up creates its indexes every time; the server refuses a second one.
    const auto& t = w.tokens;
    const std::size_t after = nextToken(t, &token - t.data());
    if (token.isWord("index") && !isWordAt(t, after, "if"))
        w.write(" IF NOT EXISTS");
}

void JetTranslator::emitOpen(Work& w, std::size_t at) {
    const auto& t = w.tokens;
    ++w.depth;
    w.keep(t[at].text);
    const auto before = previousToken(t, at);
    if (w.postgres && before && (t[*before].isWord("from") || t[*before].isWord("join")) &&
        isWordAt(t, nextToken(t, at), "select"))
        w.derivedTables.push_back(w.depth);
}

// A subquery in FROM must be named on the server.
void JetTranslator::emitClose(Work& w, std::size_t at) {
    closeFrames(w);
    w.keep(w.tokens[at].text);
    if (!w.derivedTables.empty() && w.derivedTables.back() == w.depth) {
        w.derivedTables.pop_back();
        if (endsDerivedTable(w.tokens, nextToken(w.tokens, at)))
            w.write(" AS q" + std::to_string(w.depth) + " ");
    }
    --w.depth;
}

// The server reports a new autonumber only when asked in the insert itself.
void JetTranslator::appendReturning(Work& w) {
    const auto& t = w.tokens;
    const std::size_t first = skipBlankTokens(t, 0);
    const std::size_t into = nextToken(t, first);
    const std::size_t table = nextToken(t, into);
    if (!isWordAt(t, first, "insert") || !isWordAt(t, into, "into") || table >= t.size() ||
        !t[table].isName())
        return;
    const TableDef* def = Schema::findTable(t[table].name());
    if (!def || def->columns.empty() || def->columns[0].kind != ColumnKind::AutoNumber)
        return;
    w.out.erase(w.out.find_last_not_of("; \t\r\n") + 1);
    const std::string id = ServerSchema::name(def->columns[0].name);
    w.out += " RETURNING " + id;
    // A copied row brings its own number; later rows must be numbered past it.
    bool givesId = !isSymbolAt(t, nextToken(t, table), "(");
    for (std::size_t i = nextToken(t, table); i < t.size() && !givesId && !t[i].isSymbol(")"); ++i)
        givesId = t[i].isName() && Schema::equalsIgnoringCase(t[i].name(), def->columns[0].name);
    if (givesId)
        w.out += ", jet_autonumber_seen('" + ServerSchema::name(def->name) + "', " + id + ")";
}
