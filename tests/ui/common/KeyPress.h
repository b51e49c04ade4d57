#pragma once
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

// A key pressed and released in the widget, as the cashier's keyboard sends it.
inline void pressKey(QWidget* widget, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}
