#include "storage/engine/ParameterizedStatement.h"
#include "storage/dialect/SqlTokenizer.h"
#include <charconv>

namespace {

// More values than a till's own writes carry: such a statement is a batch
// that will not come again.
constexpr std::size_t mostValues = 100;

bool isWordByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           (c >= '0' && c <= '9') || c == '_';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool sameWord(std::string_view word, std::string_view lower) {
    if (word.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if ((word[i] >= 'A' && word[i] <= 'Z' ? word[i] - 'A' + 'a' : word[i]) != lower[i])
            return false;
    return true;
}

bool isWrite(std::string_view word) {
    return sameWord(word, "insert") || sameWord(word, "update") || sameWord(word, "delete") ||
           sameWord(word, "replace");
}

std::string unquoted(std::string_view literal) {
    std::string text;
    text.reserve(literal.size());
    for (std::size_t i = 1; i + 1 < literal.size(); ++i) {
        text += literal[i];
        if (literal[i] == '\'')
            ++i;
    }
    return text;
}

// Whole numbers that fit stay whole; others are read as SQLite reads them.
std::optional<ParameterizedStatement::Value> number(std::string_view digits) {
    const char* end = digits.data() + digits.size();
    if (digits.find_first_of(".eE") == std::string_view::npos) {
        long long whole = 0;
        const auto [at, error] = std::from_chars(digits.data(), end, whole);
        if (error == std::errc() && at == end)
            return whole;
        return std::nullopt; // too large: SQLite would read it as a real
    }
    double real = 0;
    const auto [at, error] = std::from_chars(digits.data(), end, real);
    if (error == std::errc() && at == end)
        return real;
    return std::nullopt;
}

class Lifter {
  public:
    explicit Lifter(std::string_view sql) : m_sql(sql) { m_out.text.reserve(sql.size()); }

    std::optional<ParameterizedStatement> run() {
        if (!startsWithWrite())
            return std::nullopt;
        while (m_at < m_sql.size())
            if (!step())
                return std::nullopt;
        if (m_out.values.size() > mostValues)
            return std::nullopt;
        return std::move(m_out);
    }

  private:
    bool startsWithWrite() {
        std::size_t i = 0;
        while (i < m_sql.size() &&
               (m_sql[i] == ' ' || m_sql[i] == '\n' || m_sql[i] == '\t' || m_sql[i] == '\r'))
            ++i;
        std::size_t end = i;
        while (end < m_sql.size() && isWordByte(m_sql[end]))
            ++end;
        return isWrite(m_sql.substr(i, end - i));
    }

    bool copyUpTo(std::size_t end) {
        if (end == std::string_view::npos)
            return false;
        m_out.text.append(m_sql.substr(m_at, end - m_at));
        m_at = end;
        return true;
    }

    bool lift(ParameterizedStatement::Value value, std::size_t end) {
        m_out.values.push_back(std::move(value));
        m_out.text += '?';
        m_at = end;
        return true;
    }

    bool word() {
        std::size_t end = m_at;
        while (end < m_sql.size() && isWordByte(m_sql[end]))
            ++end;
        const std::string_view text = m_sql.substr(m_at, end - m_at);
        // A number after BY names a column; X'..' is a blob.
        if (sameWord(text, "by") || (end < m_sql.size() && m_sql[end] == '\''))
            return false;
        return copyUpTo(end);
    }

    bool digits() {
        const std::size_t end = numberEnd(m_sql, m_at);
        if (end < m_sql.size() && isWordByte(m_sql[end]))
            return false; // hexadecimal, or no number at all
        std::optional<ParameterizedStatement::Value> value = number(m_sql.substr(m_at, end - m_at));
        return value && lift(std::move(*value), end);
    }

    bool step() {
        const char c = m_sql[m_at];
        const char next = m_at + 1 < m_sql.size() ? m_sql[m_at + 1] : '\0';
        if (c == '\'') {
            const std::size_t end = quotedEnd(m_sql, m_at, '\'');
            return end != std::string_view::npos &&
                   lift(unquoted(m_sql.substr(m_at, end - m_at)), end);
        }
        if (c == '"' || c == '`')
            return copyUpTo(quotedEnd(m_sql, m_at, c));
        if (c == '[') {
            const std::size_t close = m_sql.find(']', m_at);
            return copyUpTo(close == std::string_view::npos ? close : close + 1);
        }
        if (isDigit(c))
            return digits();
        if (isWordByte(c))
            return word();
        const bool ownParameter = c == '?' || c == ':' || c == '@' || c == '$';
        const bool comment = (c == '-' && next == '-') || (c == '/' && next == '*');
        if (ownParameter || comment || (c == '.' && isDigit(next)))
            return false;
        return copyUpTo(m_at + 1);
    }

    std::string_view m_sql;
    std::size_t m_at = 0;
    ParameterizedStatement m_out;
};

} // namespace

std::optional<ParameterizedStatement> ParameterizedStatement::of(const std::string& sql) {
    return Lifter(sql).run();
}
