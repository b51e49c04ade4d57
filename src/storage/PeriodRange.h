#pragma once
#include <optional>
#include <string>

// Period conditions as ranges on the date-time column itself, so that an
// index on the column can find the rows instead of a scan of the table.
// Date-times are stored as "YYYY-MM-DD HH:MM:SS", so format(col,'yyyy-mm')
// is the first 7 characters; the character after such a prefix is always
// '-' or ' ', and every character after that sorts below '~'.
namespace PeriodRange {

// The condition on `column` that holds for the same stored rows as
// "format(column, pattern) op 'value'"; nothing when there is none to give
// (another pattern, operator or a value not shaped like the pattern).
std::optional<std::string> condition(const std::string& column, const std::string& pattern,
                                     const std::string& op, const std::string& value);

} // namespace PeriodRange
