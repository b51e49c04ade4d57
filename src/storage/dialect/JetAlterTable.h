#pragma once
#include "storage/dialect/SqlTokenizer.h"
#include <optional>
#include <string>
#include <vector>

// "alter table T add [column] C type[(n)]" with an Access type name: the
// column gets the same kind and checks as the columns of the template.
namespace JetAlterTable {

// The statement for SQLite or the server; nothing when it is no such statement.
std::optional<std::string> translate(const std::vector<SqlToken>& tokens, bool postgres);

} // namespace JetAlterTable
