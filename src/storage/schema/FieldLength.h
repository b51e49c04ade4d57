#pragma once
#include <initializer_list>
#include <string>

// Texts bound for text columns, checked against the columns' lengths before
// a statement would fail on them, so the cashier is told which field is too
// long and by how much it may be.
namespace FieldLength {

struct Field {
    const char* caption; // as the window names it
    const char* table;
    const char* column;
    const std::string* text;
};

// "<caption>不能超过N个字。" for the first text longer than its column takes;
// empty when every one fits.
std::string refusal(std::initializer_list<Field> fields);

} // namespace FieldLength
