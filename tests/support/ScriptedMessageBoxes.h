#pragma once
#include "ui/common/MessageBoxes.h"

#include <deque>
#include <optional>
#include <utility>

// Answers the program's questions from a script and keeps every text shown.
// A question the script has no answer for fails the test: every question a
// test causes is one it expects.
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

    std::deque<bool> answers;                  // for ask()
    std::deque<std::optional<QString>> inputs; // for askText(); std::nullopt cancels
    QList<Shown> shown;

    void inform(QWidget*, const QString& text, Icon icon, const QString& title) override;
    // Unscripted: No, which changes nothing.
    bool ask(QWidget*, const QString& text, Icon icon, const QString& title,
             Default defaultButton) override;
    // Unscripted: cancelled.
    bool askText(QWidget*, const QString& title, const QString& prompt, QString& value) override;
    // From the same script as askText().
    bool askPassword(QWidget* parent, const QString& title, const QString& prompt,
                     QString& value) override {
        return askText(parent, title, prompt, value);
    }
    // The script's text as the cashier would type it into the integer box; a
    // text such a box refuses fails the test.
    bool askInteger(QWidget* parent, const QString& title, const QString& prompt, int& value,
                    int minimum, int maximum) override;
    std::pair<int, int> integerRange; // of the last integer box

    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
};
