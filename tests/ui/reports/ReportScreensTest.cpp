#include "ReportTestSupport.h"

#include "storage/values/Clock.h"
#include "support/SampleOrders.h"
#include "ui/reports/IncomeReportWindow.h"
#include "ui/reports/SalesReportWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QProcess>
#include <QThread>

// Screenshots of the two report windows over a year of demo orders, taken
// only when TABLEWISE_REPORT_SCREENS names a folder and the test runs on an
// X display (tools/report-screenshots does both; see the README).
namespace {

class ReportScreens : public ReportWindowTest {
  protected:
    void fillDemoYear(int year) {
        DemoDataGenerator generator = storedCatalogueGenerator(db);
        ASSERT_EQ(generator.prepare(), DemoDataGenerator::Refusal::None);
        ASSERT_TRUE(generator.generate(year, 2017));
    }

    static void capture(QWidget& window, const QString& file) {
        window.move(0, 0);
        window.show();
        window.raise();
        window.activateWindow();
        for (int i = 0; i < 20; ++i) {
            QApplication::processEvents();
            QThread::msleep(50);
        }
        EXPECT_EQ(QProcess::execute(QStringLiteral("import"),
                                    {QStringLiteral("-window"), QStringLiteral("root"), file}),
                  0);
        window.hide();
    }
};

TEST_F(ReportScreens, YearIncomeAndMonthSales) {
    const QString folder = qEnvironmentVariable("TABLEWISE_REPORT_SCREENS");
    if (folder.isEmpty() || QApplication::platformName() != QStringLiteral("xcb"))
        GTEST_SKIP() << "TABLEWISE_REPORT_SCREENS not set or no X display";
    const int year = Clock::system().now().year;
    fillDemoYear(year);
    execute("update 存单 set 收银台='二号台' where 时间>=#" + std::to_string(year) + "-07-01#");

    IncomeReportWindow income(db);
    capture(income, folder + "/income-year.png");

    SalesReportWindow sales(db, nullptr, &SalesReportWindow::programState());
    ASSERT_TRUE(sales.runMonthReport(QString::number(year), QStringLiteral("3")));
    capture(sales, folder + "/sales-month.png");
    sales.tillFilter()->setCurrentText(QStringLiteral("二号台"));
    ASSERT_TRUE(sales.runYearReport(QString::number(year)));
    capture(sales, folder + "/sales-year-one-till.png");
}

} // namespace
