// The report windows opened from the order window.
#include "ui/IncomeReportWindow.h"
#include "ui/MainWindow.h"
#include "ui/SalesReportWindow.h"

void MainWindow::openIncomeReport() {
    IncomeReportWindow window(m_db, this);
    window.exec();
}

void MainWindow::openSalesStatistics() {
    SalesReportWindow window(m_db, this);
    window.exec();
}
