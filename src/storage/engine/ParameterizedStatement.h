#pragma once
#include <optional>
#include <string>
#include <variant>
#include <vector>

// A write with its literal values taken out as parameters, so that writes
// alike in all but their values share one prepared statement: preparing a
// write on the order tables also compiles every trigger on them, which
// costs far more than the write itself.
struct ParameterizedStatement {
    using Value = std::variant<long long, double, std::string>;

    std::string text;          // the statement with a "?" for each value
    std::vector<Value> values; // in the order of their "?"

    // Nothing for text other than one insert, update or delete, or for text
    // in which a parameter could mean something else than the literal it
    // stands for (a column position after BY, a blob, a comment, parameters
    // of its own).
    static std::optional<ParameterizedStatement> of(const std::string& sql);
};
