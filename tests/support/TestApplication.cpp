#include "support/TestApplication.h"

#include <QApplication>

void ensureTestApplication() {
    if (QCoreApplication::instance())
        return;
    // Windows are tried on the screen of a shop's till rather than on the
    // offscreen platform's own 800 by 800 pixels.
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TABLEWISE_TEST_SCREEN);
    static int argc = 1;
    static char name[] = "tablewise-tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}
