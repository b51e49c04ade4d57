#include "ui/common/NameField.h"

#include <QLineEdit>

namespace NameField {

void keepControlCharactersOut(QLineEdit* field) {
    QObject::connect(field, &QLineEdit::textEdited, field, [field](const QString& text) {
        QString kept;
        int cursor = field->cursorPosition();
        for (int i = 0; i < text.size(); ++i) {
            if (text[i].category() != QChar::Other_Control)
                kept += text[i];
            else if (i < field->cursorPosition())
                --cursor;
        }
        if (kept.size() == text.size())
            return;
        field->setText(kept);
        field->setCursorPosition(cursor);
    });
}

} // namespace NameField
