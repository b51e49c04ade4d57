#pragma once
#include "reports/SalesReportState.h"
#include "ui/reports/PeriodReports.h"
#include "ui/reports/ReportWindow.h"

class QComboBox;
class SalesReports;

// "销售统计": order lines by month of a year, by day of a month, or one
// day line by line, for all dishes or one; opens on this year.
class SalesReportWindow : public ReportWindow, public PeriodReports {
    Q_OBJECT
  public:
    // The state outlives the window; by default the program's own.
    SalesReportWindow(Database& db, QWidget* parent = nullptr, SalesReportState* state = nullptr);

    // The sales window now open, if any: the income window's pickers start
    // its reports while it is.
    static SalesReportWindow* openWindow();
    static SalesReportState& programState();

    // An empty period reruns the one remembered.
    bool showYearSalesReport(const QString& year);
    bool showMonthSalesReport(const QString& monthKey); // "2017-05"
    bool showDaySalesList(const QString& date);         // "2017年5月8日"
    // Follows the dish filter list and reruns the current report.
    bool applyDishFilter();

    // What a picker starts: the report mode, then the report.
    bool runYearReport(const QString& year) override;
    bool runMonthReport(const QString& year, const QString& month) override;
    bool runDayReport(const QString& date) override;

    QComboBox* dishFilter() const { return m_filter; }

    void pickDay();
    void pickMonth();
    void pickYear();

  protected:
    bool showAgain() override;

  private:
    void fillDishFilter();
    // The sales reports of the till chosen.
    SalesReports reports();

    SalesReportState& m_state;
    QComboBox* m_filter;
};
