#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One lexical piece of an Access (Jet) SQL statement. Blanks are kept as
// tokens so that a statement can be written back with its own spacing.
struct SqlToken {
    enum class Kind { Blank, Word, Bracketed, String, Number, DateLiteral, Symbol };
    Kind kind;
    std::string_view text; // the piece as written, quotes and brackets included

    bool isWord(std::string_view word) const { // ASCII case ignored
        return kind == Kind::Word && text.size() == word.size() && sameWord(word);
    }
    bool isSymbol(std::string_view symbol) const {
        return kind == Kind::Symbol && text.size() == symbol.size() && text[0] == symbol[0] &&
               (symbol.size() == 1 || text[1] == symbol[1]);
    }
    bool isName() const { return kind == Kind::Word || kind == Kind::Bracketed; }
    std::string_view name() const; // a word or bracketed name without its brackets
    std::string value() const;     // a string or date literal without its delimiters

  private:
    bool sameWord(std::string_view word) const;
};

// Splits a statement; false (with a message) for an unterminated quote,
// bracket or date literal. The tokens point into `sql`, which must outlive them.
bool tokenizeSql(std::string_view sql, std::vector<SqlToken>& tokens, std::string& error);

// End of a literal delimited by `quote` that opens at `start`, where a doubled
// quote stands for one; npos when it is not closed.
std::size_t quotedEnd(std::string_view sql, std::size_t start, char quote);
// End of the number (digits, a fraction, an exponent) that starts at `i`.
std::size_t numberEnd(std::string_view sql, std::size_t i);

// The first token at or after `i` that is not a blank.
std::size_t skipBlankTokens(const std::vector<SqlToken>& tokens, std::size_t i);

// Items of the parenthesised, comma-separated list opening at `open`, as
// [begin, end) token ranges without surrounding blanks; `close` is set to the
// closing parenthesis. Empty when the list is not closed.
std::vector<std::pair<std::size_t, std::size_t>> listItems(const std::vector<SqlToken>& tokens,
                                                           std::size_t open, std::size_t& close);
