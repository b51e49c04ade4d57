#include "storage/dialect/SqlTokenizer.h"
#include <cctype>

namespace {

bool isWordByte(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return u >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           (c >= '0' && c <= '9') || c == '_' || c == '$';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

// End of a literal delimited by `quote`, where a doubled quote stands for one.
std::size_t quotedEnd(std::string_view sql, std::size_t start, char quote) {
    for (std::size_t i = start + 1; i < sql.size(); ++i) {
        if (sql[i] != quote)
            continue;
        if (i + 1 < sql.size() && sql[i + 1] == quote) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return std::string_view::npos;
}

std::size_t numberEnd(std::string_view sql, std::size_t i) {
    while (i < sql.size() && isDigit(sql[i]))
        ++i;
    if (i < sql.size() && sql[i] == '.')
        for (++i; i < sql.size() && isDigit(sql[i]);)
            ++i;
    if (i < sql.size() && (sql[i] == 'e' || sql[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < sql.size() && (sql[j] == '+' || sql[j] == '-'))
            ++j;
        if (j < sql.size() && isDigit(sql[j])) {
            while (j < sql.size() && isDigit(sql[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

bool SqlToken::sameWord(std::string_view word) const {
    for (std::size_t i = 0; i < word.size(); ++i)
        if (lowerAscii(text[i]) != lowerAscii(word[i]))
            return false;
    return true;
}

std::string_view SqlToken::name() const {
    return kind == Kind::Bracketed ? text.substr(1, text.size() - 2) : text;
}

std::string SqlToken::value() const {
    std::string_view inner = text.substr(1, text.size() - 2);
    if (kind == Kind::DateLiteral)
        return std::string(inner);
    char quote = text[0];
    std::string out;
    for (std::size_t i = 0; i < inner.size(); ++i) {
        out += inner[i];
        if (inner[i] == quote)
            ++i;
    }
    return out;
}

bool tokenizeSql(std::string_view sql, std::vector<SqlToken>& tokens, std::string& error) {
    using Kind = SqlToken::Kind;
    tokens.clear();
    tokens.reserve(sql.size() / 3);
    std::size_t i = 0;
    while (i < sql.size()) {
        char c = sql[i];
        std::size_t end = i + 1;
        Kind kind = Kind::Symbol;
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            while (end < sql.size() &&
                   (sql[end] == ' ' || sql[end] == '\t' || sql[end] == '\r' || sql[end] == '\n'))
                ++end;
            kind = Kind::Blank;
        } else if (c == '\'' || c == '"') {
            end = quotedEnd(sql, i, c);
            kind = Kind::String;
        } else if (c == '[') {
            end = sql.find(']', i);
            end = end == std::string_view::npos ? end : end + 1;
            kind = Kind::Bracketed;
        } else if (c == '#') {
            end = sql.find('#', i + 1);
            end = end == std::string_view::npos ? end : end + 1;
            kind = Kind::DateLiteral;
        } else if (isDigit(c) || (c == '.' && i + 1 < sql.size() && isDigit(sql[i + 1]))) {
            end = numberEnd(sql, i);
            kind = Kind::Number;
        } else if (isWordByte(c)) {
            while (end < sql.size() && isWordByte(sql[end]))
                ++end;
            kind = Kind::Word;
        } else if (end < sql.size()) {
            std::string_view pair = sql.substr(i, 2);
            if (pair == "<=" || pair == ">=" || pair == "<>" || pair == "!=" || pair == "||")
                ++end;
        }
        if (end == std::string_view::npos) {
            error = "语句中有未结束的引号、方括号或日期。";
            return false;
        }
        tokens.push_back({kind, sql.substr(i, end - i)});
        i = end;
    }
    return true;
}

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
            std::size_t b = skipBlankTokens(t, itemBegin), e = i;
            while (e > b && t[e - 1].kind == SqlToken::Kind::Blank)
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

std::size_t skipBlankTokens(const std::vector<SqlToken>& t, std::size_t i) {
    while (i < t.size() && t[i].kind == SqlToken::Kind::Blank)
        ++i;
    return i;
}
