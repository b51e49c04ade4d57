#pragma once
class QString;

// A window that runs the day, month and year reports a period picker starts.
// While the sales window is open it takes over the income window's pickers.
class PeriodReports {
  public:
    virtual bool runDayReport(const QString& date) = 0;
    virtual bool runMonthReport(const QString& year, const QString& month) = 0;
    virtual bool runYearReport(const QString& year) = 0;

    // The open window that takes over the pickers, if any: the last one made.
    static PeriodReports* takingOver();

  protected:
    PeriodReports();
    virtual ~PeriodReports();
};
