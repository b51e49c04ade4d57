#pragma once

class QLineEdit;

namespace NameField {

// A name is never meant to hold a NUL or another control character, and a
// NUL cannot be stored: one pasted into the field is taken out as it arrives.
void keepControlCharactersOut(QLineEdit* field);

} // namespace NameField
