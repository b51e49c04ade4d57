#pragma once
#include "ui/common/MessageBoxes.h"

#include <deque>
#include <gtest/gtest.h>
#include <utility>

// Answers the program's questions from a script and keeps every text shown.
class ScriptedMessageBoxes : public MessageBoxes {
  public:
    struct Shown {
        QString text;
        Icon icon;
        QString title;
        Default defaultButton = Default::Yes;
    };

    ScriptedMessageBoxes() { install(this); }
    ~ScriptedMessageBoxes() override { install(nullptr); }

    std::deque<bool> answers;   // for ask(); Yes when the script has run out
    std::deque<QString> inputs; // for askText(); an empty script cancels
    QList<Shown> shown;

    void inform(QWidget*, const QString& text, Icon icon, const QString& title) override {
        shown.append({text, icon, title});
    }
    bool ask(QWidget*, const QString& text, Icon icon, const QString& title,
             Default defaultButton) override {
        shown.append({text, icon, title, defaultButton});
        if (answers.empty())
            return true;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    bool askText(QWidget*, const QString& title, const QString& prompt, QString& value) override {
        shown.append({prompt, Icon::None, title});
        if (inputs.empty())
            return false;
        value = inputs.front();
        inputs.pop_front();
        return true;
    }
    // The script's text as the cashier would type it into the integer box.
    bool askInteger(QWidget* parent, const QString& title, const QString& prompt, int& value,
                    int minimum, int maximum) override {
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
    std::pair<int, int> integerRange; // of the last integer box

    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
};
