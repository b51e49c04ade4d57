#pragma once
#include <QString>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

// QString in a failure message as its text.
void PrintTo(const QString& text, std::ostream* out);

// The control of that name in the window; a test fails when there is none.
template <class T = QWidget> T* child(const QWidget* window, const QString& name) {
    T* found = window->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}
template <class T = QWidget> T* child(const QWidget* window, const char* name) {
    return child<T>(window, QString::fromUtf8(name));
}

// Text typed into a line edit, as a whole.
void type(const QWidget* window, const char* field, const QString& text);
void click(const QWidget* window, const char* button);
// A key pressed and released in the widget, as the cashier's keyboard sends it.
void pressKey(QWidget* widget, Qt::Key key);

// Runs `act` on the modal window that the next statement opens, then closes
// it if it is still open, so that a failing test cannot hang.
void onNextModal(std::function<void(QWidget*)> act);
