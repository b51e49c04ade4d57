#pragma once
#include "ui/reports/ReportWindow.h"

#include <functional>

class IncomeReports;

// "收入报表": income by day, month, quarter and year; opens on this year.
class IncomeReportWindow : public ReportWindow {
    Q_OBJECT
  public:
    IncomeReportWindow(Database& db, QWidget* parent = nullptr);

    bool showDayIncomeReport(const QString& date); // "2017年5月8日"
    bool showMonthIncomeReport(const QString& year, const QString& month);
    bool showQuarterIncomeReport(const QString& year, const QString& quarter);
    bool showYearIncomeReport(const QString& year);

    // The menu "报表类型": each opens its picker over this window.
    void pickDay();
    void pickMonth();
    void pickQuarter();
    void pickYear();

  protected:
    bool showAgain() override;

  private:
    using Report = std::function<ReportSheet(IncomeReports&)>;
    bool showReport(Report report);

    Report m_shown;
};
