// The demo-data button of the order window.
#include "ui/order/MainWindow.h"

#include "ui/order/DemoDataAction.h"

void MainWindow::generateDemoData() {
    // Today now has orders: a new order must not reuse their numbers. An order
    // being edited keeps its own number.
    if (DemoDataAction::run(this, m_db, DemoDataGenerator::dishesOf(m_dishes),
                            DemoDataGenerator::tablesOf(m_tables), m_clock) &&
        !isEditingStoredOrder())
        refreshNumbering();
}
