// The catalogue, customer and list windows opened from the order window. After
// the dish catalogue or the table list closes, the in-memory copies are reloaded.
#include "ui/MainWindow.h"

void MainWindow::openDishCatalogue() {}

void MainWindow::openTableList() {}

void MainWindow::openHeaderList() {}

void MainWindow::openShopList() {}

void MainWindow::openDiscountList() {}
