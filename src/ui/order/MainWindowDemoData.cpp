// The demo-data button of the order window.
#include "ui/order/MainWindow.h"

#include "ui/order/DemoDataAction.h"

void MainWindow::generateDemoData() {
    std::vector<DemoDataGenerator::Dish> dishes;
    for (const Dish& dish : m_dishes.dishes())
        dishes.push_back({dish.name, dish.price, dish.unit});
    std::vector<std::string> tables;
    for (const TableCache::Table& table : m_tables.tables())
        tables.push_back(table.name);
    // Today now has orders: a new order must not reuse their numbers. An order
    // being edited keeps its own number.
    if (DemoDataAction::run(this, m_db, std::move(dishes), std::move(tables), m_clock) &&
        !isEditingStoredOrder())
        refreshNumbering();
}
