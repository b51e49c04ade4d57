#pragma once
#include <QString>
#include <QStringList>

class QWidget;

// Every message box and question of the program goes through here, so that
// tests can answer them and read what was shown.
class MessageBoxes {
  public:
    enum class Icon { None, Information, Question, Warning, Error };
    enum class Default { Yes, No };

    virtual ~MessageBoxes() = default;
    // A message with an OK button; the title is "信息：" unless given.
    virtual void inform(QWidget* parent, const QString& text, Icon icon = Icon::Information,
                        const QString& title = QStringLiteral("信息：")) = 0;
    // A Yes/No question; true on Yes. Questions whose Yes overwrites data make No
    // the default, so that a hurried Enter changes nothing.
    virtual bool ask(QWidget* parent, const QString& text, Icon icon = Icon::Question,
                     const QString& title = QStringLiteral("信息："),
                     Default defaultButton = Default::Yes) = 0;
    // A question answered with one of two named buttons; true for the first.
    // Boxes that do not name buttons answer it as ask().
    virtual bool choose(QWidget* parent, const QString& text, Icon icon, const QString& title,
                        const QString& first, const QString& second) {
        Q_UNUSED(first);
        Q_UNUSED(second);
        return ask(parent, text, icon, title, Default::Yes);
    }
    // An input box; false when cancelled.
    virtual bool askText(QWidget* parent, const QString& title, const QString& prompt,
                         QString& value) = 0;
    // An input box whose text is not shown as typed; false when cancelled.
    virtual bool askPassword(QWidget* parent, const QString& title, const QString& prompt,
                             QString& value) = 0;
    // An integer box: refuses, as typed, anything but a whole number from
    // minimum to maximum; value is the initial number and the answer.
    virtual bool askInteger(QWidget* parent, const QString& title, const QString& prompt,
                            int& value, int minimum, int maximum) = 0;

    // The instance the windows use: real boxes, or the scripted one of a test.
    static MessageBoxes& instance();
    static void install(MessageBoxes* boxes);
};
