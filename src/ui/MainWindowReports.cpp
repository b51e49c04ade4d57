// The report windows opened from the order window.
#include "ui/MainWindow.h"

void MainWindow::openIncomeReport() {}

void MainWindow::openSalesStatistics() {}
