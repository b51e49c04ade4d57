#pragma once
#include "storage/dialect/SqlTokenizer.h"

#include <optional>
#include <string>
#include <vector>

// Period conditions as ranges on the date-time column itself, so that an
// index on the column finds the rows instead of a scan of the table.
// Date-times are stored as "YYYY-MM-DD HH:MM:SS", so format(col,'yyyy-mm')
// is the first 7 characters; the character after such a prefix is always
// '-' or ' ', and every character after that sorts below '~'.
namespace PeriodRange {

// The condition on `column` that holds for the same stored rows as
// "format(column, pattern) op 'value'"; nothing when there is none to give
// (another pattern, operator or a value not shaped like the pattern).
std::optional<std::string> condition(const std::string& column, const std::string& pattern,
                                     const std::string& op, const std::string& value);

// Tokens `at` to `close` are format(column,'pattern'). When they start a
// comparison with a text literal that stands alone as a condition, appends
// the range to `out` and returns the position after the literal; else 0.
std::size_t emit(const std::vector<SqlToken>& tokens, std::size_t at, std::size_t column,
                 std::size_t pattern, std::size_t close, std::string& out);

} // namespace PeriodRange
