// The order history opened from the order window.
#include "ui/MainWindow.h"

void MainWindow::openOrderHistory() {}
