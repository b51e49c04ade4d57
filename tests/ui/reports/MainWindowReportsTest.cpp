#include "support/MainWindowTest.h"

#include "ui/reports/IncomeReportWindow.h"
#include "ui/reports/SalesReportWindow.h"

namespace {

class MainWindowReports : public MainWindowTest {
  protected:
    // The class and title of the modal window `open` shows, closed again at once.
    template <typename Window> QString modalTitle(void (MainWindow::*open)()) {
        QString title;
        onNextModal([&title](QWidget* shown) {
            if (qobject_cast<Window*>(shown))
                title = shown->windowTitle();
        });
        (window.get()->*open)();
        return title;
    }
};

TEST_F(MainWindowReports, ToolbarOpensBothReportWindows) {
    EXPECT_EQ(modalTitle<IncomeReportWindow>(&MainWindow::openIncomeReport),
              QStringLiteral("收入报表"));
    EXPECT_EQ(modalTitle<SalesReportWindow>(&MainWindow::openSalesStatistics),
              QStringLiteral("销售统计"));
    // A closed sales window no longer takes the income window's pickers.
    EXPECT_EQ(SalesReportWindow::openWindow(), nullptr);
}

} // namespace
