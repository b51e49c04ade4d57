#include "support/TestApplication.h"

#include <QApplication>

void ensureTestApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "tablewise-tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}
