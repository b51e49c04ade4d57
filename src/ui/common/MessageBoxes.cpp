#include "ui/common/MessageBoxes.h"
#include "ui/common/Installable.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon toQt(MessageBoxes::Icon icon) {
    switch (icon) {
    case MessageBoxes::Icon::Information:
        return QMessageBox::Information;
    case MessageBoxes::Icon::Question:
        return QMessageBox::Question;
    case MessageBoxes::Icon::Warning:
        return QMessageBox::Warning;
    case MessageBoxes::Icon::Error:
        return QMessageBox::Critical;
    case MessageBoxes::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

class QtMessageBoxes : public MessageBoxes {
  public:
    void inform(QWidget* parent, const QString& text, Icon icon, const QString& title) override {
        QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, parent);
        box.exec();
    }

    bool ask(QWidget* parent, const QString& text, Icon icon, const QString& title,
             Default defaultButton) override {
        QMessageBox box(toQt(icon), title, text, QMessageBox::Yes | QMessageBox::No, parent);
        box.setDefaultButton(defaultButton == Default::No ? QMessageBox::No : QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes;
    }

    // Escape gives the second answer.
    bool choose(QWidget* parent, const QString& text, Icon icon, const QString& title,
                const QString& first, const QString& second) override {
        QMessageBox box(toQt(icon), title, text, QMessageBox::NoButton, parent);
        QPushButton* yes = box.addButton(first, QMessageBox::AcceptRole);
        box.setEscapeButton(box.addButton(second, QMessageBox::RejectRole));
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == yes;
    }

    bool askText(QWidget* parent, const QString& title, const QString& prompt,
                 QString& value) override {
        bool ok = false;
        const QString entered =
            QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, value, &ok);
        if (ok)
            value = entered;
        return ok;
    }

    bool askPassword(QWidget* parent, const QString& title, const QString& prompt,
                     QString& value) override {
        bool ok = false;
        const QString entered =
            QInputDialog::getText(parent, title, prompt, QLineEdit::Password, {}, &ok);
        if (ok)
            value = entered;
        return ok;
    }

    bool askInteger(QWidget* parent, const QString& title, const QString& prompt, int& value,
                    int minimum, int maximum) override {
        bool ok = false;
        const int entered =
            QInputDialog::getInt(parent, title, prompt, value, minimum, maximum, 1, &ok);
        if (ok)
            value = entered;
        return ok;
    }
};

} // namespace

MessageBoxes& MessageBoxes::instance() {
    return Installable<MessageBoxes>::installedOr<QtMessageBoxes>();
}

void MessageBoxes::install(MessageBoxes* boxes) {
    Installable<MessageBoxes>::install(boxes);
}
