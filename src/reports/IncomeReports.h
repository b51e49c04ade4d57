#pragma once
#include "reports/DayPeriod.h"
#include "reports/ReportSheet.h"
#include "reports/ReportTill.h"

#include <string>
#include <vector>

class Database;

// Income over stored orders (存单.实付) by day, month, quarter and year.
// Each report gives the sheet its window shows and, except the day report,
// writes the chart data beside it.
class IncomeReports {
  public:
    IncomeReports(Database& db, std::string programFolder)
        : m_db(db), m_folder(std::move(programFolder)) {}

    // date: "2017年5月8日"
    ReportSheet day(const std::string& date);
    ReportSheet month(const std::string& year, const std::string& month);
    // quarter: "1" to "4"
    ReportSheet quarter(const std::string& year, const std::string& quarter);
    ReportSheet year(const std::string& year);
    // Counts only the orders of one till; every till's by default.
    void setTill(ReportTill till) { m_till = std::move(till); }

    // What the month, quarter and year reports differ in.
    struct Grouping {
        DayPeriod days;
        std::size_t keyLength; // of a row's key: 10 by day, 7 by month
        int periods;        // days of the month, 3 months or 12
        std::string period; // "本月", "本季度", "本年度"
        std::string unit;   // "日", "个月"
        std::string countLabel;
        std::string averageLabel;
    };
    struct Row {
        std::string key; // "2017-05-08" or "2017-05"
        long long count;
        double sum;
    };

  private:
    // The orders of a period in rows of one day ("yyyy-mm-dd") or one month
    // ("yyyy-mm"); span is "月", "季度" or "年度".
    static Grouping grouping(const DayPeriod& days, const std::string& rowFormat, int periods,
                             const std::string& span);
    // Empty when nothing was found or the rows could not be read (the sheet says which).
    std::vector<Row> grouped(ReportSheet& sheet, const Grouping& grouping);

    Database& m_db;
    std::string m_folder;
    ReportTill m_till = ReportTill::all();
};
