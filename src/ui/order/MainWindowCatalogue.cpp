// The catalogue, customer and list windows opened from the order window. After
// the dish catalogue or the table list closes, the in-memory copies are reloaded.
#include "catalogue/NamedList.h"
#include "ui/catalogue/DishCatalogueWindow.h"
#include "ui/order/MainWindow.h"
#include "ui/catalogue/NamedListWindow.h"
#include "ui/catalogue/TableListWindow.h"

void MainWindow::openDishCatalogue() {
    DishCatalogueWindow(this, m_db).exec();
    reloadDishes();
}

void MainWindow::openTableList() {
    TableListWindow(this, m_db).exec();
    reloadTables();
}

void MainWindow::openHeaderList() {
    NamedListWindow(this, m_db, NamedList::receiptHeaders()).exec();
}

void MainWindow::openShopList() {
    NamedListWindow(this, m_db, NamedList::shopNames()).exec();
}

void MainWindow::openDiscountList() {
    NamedListWindow(this, m_db, NamedList::discounts()).exec();
}
