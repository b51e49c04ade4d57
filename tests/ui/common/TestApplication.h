#pragma once
#include <QApplication>

// Window tests need one application object; whichever test runs first makes it.
inline void ensureTestApplication() {
    if (QApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}
