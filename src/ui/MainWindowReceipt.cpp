// Settlement, printing and the receipt preview of the order window.
#include "ui/MainWindow.h"

void MainWindow::settleOrder() {}

void MainWindow::printOnly() {}

void MainWindow::togglePreview() {}

void MainWindow::refreshPreview() {}

void MainWindow::followMainWindow() {}

void MainWindow::openPrintSettings() {}
