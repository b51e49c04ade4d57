#pragma once
#include "support/WindowTest.h"

#include "ui/order/MainWindow.h"

#include <QComboBox>
#include <QLineEdit>

#include <memory>

// The main window started on a seeded database at 12:30:15 on 8 December 2026.
class MainWindowTest : public WindowTest {
  protected:
    MainWindowTest() : WindowTest(Start::FirstStart, DateTime{2026, 12, 8, 12, 30, 15}) {}
    void SetUp() override { startWindow(); }

    void startWindow();
    // Closes the window as the cashier does and starts a new one on the same data.
    void restartWindow();

    template <typename T = QWidget> T* control(const char* name) const {
        return child<T>(window.get(), name);
    }
    QLineEdit* edit(const char* name) const { return control<QLineEdit>(name); }
    QComboBox* dropDown(const char* name) const { return control<QComboBox>(name); }
    QString textOf(const char* name) const { return edit(name)->text(); }
    // Types the code into the dish code box, answers the quantity box with
    // `quantity` and presses Enter.
    void enterDish(const QString& code, const QString& quantity);

    std::unique_ptr<MainWindow> window;
};
