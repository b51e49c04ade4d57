// The report windows opened from the order window.
#include "ui/reports/IncomeReportWindow.h"
#include "ui/order/MainWindow.h"
#include "ui/reports/SalesReportWindow.h"

void MainWindow::openIncomeReport() {
    IncomeReportWindow window(m_db, this);
    window.exec();
}

void MainWindow::openSalesStatistics() {
    SalesReportWindow window(m_db, this);
    window.exec();
}
