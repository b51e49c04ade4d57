#pragma once
#include "reports/DayPeriod.h"
#include "reports/ReportSheet.h"
#include "reports/ReportTill.h"
#include "reports/SalesReportState.h"
#include "storage/engine/ReadResult.h"

#include <string>
#include <vector>

class Database;

// Sales of order lines (存单详单) for all dishes or one, by month of a
// year, by day of a month, or line by line for one day. An empty period
// reuses the one the same report last ran with.
class SalesReports {
  public:
    static constexpr const char* allDishes = "所有菜品";

    SalesReports(Database& db, std::string programFolder, SalesReportState& state)
        : m_db(db), m_folder(std::move(programFolder)), m_state(state) {}

    ReportSheet year(const std::string& year);
    ReportSheet month(const std::string& monthKey); // "2017-05"
    ReportSheet day(const std::string& date);       // "2017年5月8日"
    // Takes the filter list's text; empty or "所有菜品" counts every dish.
    void setDishFilter(const std::string& text);
    // Counts only the lines of one till's orders; every till's by default.
    void setTill(ReportTill till) { m_till = std::move(till); }
    // The report of the current mode again, for its remembered period.
    ReportSheet rerun();
    // What the filter list offers: "所有菜品", then every dish of 菜单 in table order.
    ReadResult<std::vector<std::string>> filterChoices();

  private:
    ReportSheet grouped(const std::string& title, const std::string& heading,
                        const DayPeriod& period, const std::string& rowFormat,
                        const char* labelSuffix, const std::string& chartTitle,
                        bool clearChartWhenEmpty);

    Database& m_db;
    std::string m_folder;
    SalesReportState& m_state;
    ReportTill m_till = ReportTill::all();
};
