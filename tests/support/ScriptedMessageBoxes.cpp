#include "support/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

void ScriptedMessageBoxes::inform(QWidget*, const QString& text, Icon icon, const QString& title) {
    shown.append({text, icon, title});
}

bool ScriptedMessageBoxes::ask(QWidget*, const QString& text, Icon icon, const QString& title,
                               Default defaultButton) {
    shown.append({text, icon, title, defaultButton});
    if (answers.empty()) {
        ADD_FAILURE() << "question without a scripted answer: " << text.toStdString();
        return false;
    }
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
}

bool ScriptedMessageBoxes::askText(QWidget*, const QString& title, const QString& prompt,
                                   QString& value) {
    shown.append({prompt, Icon::None, title});
    if (inputs.empty()) {
        ADD_FAILURE() << "input box without a scripted input: " << prompt.toStdString();
        return false;
    }
    const std::optional<QString> input = inputs.front();
    inputs.pop_front();
    if (!input)
        return false;
    value = *input;
    return true;
}

bool ScriptedMessageBoxes::askInteger(QWidget* parent, const QString& title, const QString& prompt,
                                      int& value, int minimum, int maximum) {
    integerRange = {minimum, maximum};
    QString text = QString::number(value);
    if (!askText(parent, title, prompt, text))
        return false;
    bool whole = false;
    const int typed = text.toInt(&whole);
    if (!whole || typed < minimum || typed > maximum) {
        ADD_FAILURE() << "an integer box refuses " << text.toStdString();
        return false;
    }
    value = typed;
    return true;
}
