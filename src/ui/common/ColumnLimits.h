#pragma once
#include <string_view>

class QComboBox;
class QLineEdit;
class QObject;
class QValidator;

// Boxes whose text ends in a database column refuse, as the cashier types,
// what that column could not store: longer text, or a number out of its
// range. The limits are read from the columns themselves.
namespace ColumnLimits {

void apply(QLineEdit* edit, std::string_view table, std::string_view column);
// An editable drop-down limits its text the same way.
void apply(QComboBox* box, std::string_view table, std::string_view column);

// Whole numbers from minimum to maximum, an empty box and a lone minus sign
// while typing; nothing else can be typed.
QValidator* wholeNumbers(QObject* parent, int minimum, int maximum);

} // namespace ColumnLimits
