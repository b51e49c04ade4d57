#include "support/MainWindowTest.h"

void MainWindowTest::startWindow() {
    window = std::make_unique<MainWindow>(db, clock);
    window->startUp();
}

void MainWindowTest::restartWindow() {
    window->close();
    startWindow();
}
