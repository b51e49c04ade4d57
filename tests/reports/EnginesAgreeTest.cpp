// The same year of demo data on the SQLite file and on the server: every
// report gives the same rows, figures included.
#include "reports/ChartFiles.h"
#include "reports/IncomeReports.h"
#include "reports/ReportTill.h"
#include "reports/SalesReports.h"
#include "support/SampleOrders.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

namespace {

using Report = std::function<ReportSheet(Database& db, const std::string& folder)>;

// Sorted: lines sold at the same minute come in no defined order on either engine.
std::multiset<std::string> rowsOf(const ReportSheet& sheet) {
    std::multiset<std::string> rows;
    for (int row = 0; row < sheet.rowCount(); ++row) {
        std::string text;
        for (int column = 0; column < sheet.columns(); ++column)
            text += sheet.text(row, column) + "|";
        rows.insert(text);
    }
    return rows;
}

// In order, as the window shows it.
std::string sheetOf(const ReportSheet& sheet) {
    std::string text;
    for (int row = 0; row < sheet.rowCount(); ++row, text += "\n")
        for (int column = 0; column < sheet.columns(); ++column)
            text += sheet.text(row, column) + "|";
    return text;
}

std::string chartOf(const TestDatabase& data) {
    const std::string path = ChartFiles::lineChartPath(data.folder.path());
    return std::filesystem::exists(path) ? TempFolder::read(path) : std::string();
}

std::vector<std::pair<std::string, Report>> reports() {
    std::vector<std::pair<std::string, Report>> all = {
        {"income year",
         [](Database& db, const std::string& f) { return IncomeReports(db, f).year("2023"); }},
        {"income quarter",
         [](Database& db, const std::string& f) {
             return IncomeReports(db, f).quarter("2023", "4");
         }},
        {"income day",
         [](Database& db, const std::string& f) {
             return IncomeReports(db, f).day("2023年6月15日");
         }},
        {"sales year",
         [](Database& db, const std::string& f) {
             SalesReportState state;
             return SalesReports(db, f, state).year("2023");
         }},
        {"sales year, one dish",
         [](Database& db, const std::string& f) {
             SalesReportState state;
             SalesReports sales(db, f, state);
             sales.setDishFilter("酸菜鱼");
             return sales.year("2023");
         }},
        {"sales day",
         [](Database& db, const std::string& f) {
             SalesReportState state;
             return SalesReports(db, f, state).day("2023年12月31日");
         }},
        {"income year, one till",
         [](Database& db, const std::string& f) {
             IncomeReports reports(db, f);
             reports.setTill(ReportTill::named("二号台"));
             return reports.year("2023");
         }},
        {"income month, no till",
         [](Database& db, const std::string& f) {
             IncomeReports reports(db, f);
             reports.setTill(ReportTill::none());
             return reports.month("2023", "1");
         }},
        {"income day, one till",
         [](Database& db, const std::string& f) {
             IncomeReports reports(db, f);
             reports.setTill(ReportTill::named("二号台"));
             return reports.day("2023年12月31日");
         }},
        {"sales year, one dish, one till",
         [](Database& db, const std::string& f) {
             SalesReportState state;
             SalesReports sales(db, f, state);
             sales.setDishFilter("酸菜鱼");
             sales.setTill(ReportTill::named("二号台"));
             return sales.year("2023");
         }},
        {"sales day, one till",
         [](Database& db, const std::string& f) {
             SalesReportState state;
             SalesReports sales(db, f, state);
             sales.setTill(ReportTill::named("二号台"));
             return sales.day("2023年12月31日");
         }},
    };
    for (int month = 1; month <= 12; ++month) {
        const std::string m = std::to_string(month);
        all.emplace_back("income month " + m, [m](Database& db, const std::string& f) {
            return IncomeReports(db, f).month("2023", m);
        });
        all.emplace_back("sales month " + m, [m](Database& db, const std::string& f) {
            SalesReportState state;
            return SalesReports(db, f, state)
                .month("2023-" + std::string(m.size() < 2 ? "0" : "") + m);
        });
    }
    return all;
}

} // namespace

// Row for row and the chart file byte for byte, whatever plan the server
// picks once its statistics are fresh (autovacuum analyses within minutes).
TEST(ReportsOnBothEngines, AYearOfDemoDataGivesTheSameRows) {
    TestDatabase file(TestDatabase::Engine::Sqlite);
    TestDatabase server(TestDatabase::Engine::Server);
    if (server.serverMissing())
        GTEST_SKIP() << "TABLEWISE_TEST_SERVER is not set";
    for (TestDatabase* data : {&file, &server}) {
        ASSERT_TRUE(storedCatalogueGenerator(data->db).generate(2023, 11)) << data->db.lastError();
        // A second till from July on, and orders from before tills were named.
        ASSERT_TRUE(data->db.executeOwn("UPDATE 存单 SET 收银台='二号台' WHERE 时间>='2023-07'"));
        ASSERT_TRUE(data->db.executeOwn("UPDATE 存单 SET 收银台=NULL WHERE 时间<'2023-01-20'"));
    }
    ASSERT_GT(file.count("select count(*) from 存单"), 1000);
    for (const char* analysed : {"before ANALYZE", "after ANALYZE"}) {
        for (const auto& [what, report] : reports()) {
            SCOPED_TRACE(what + ", " + analysed);
            const ReportSheet onFile = report(file.db, file.folder.path());
            const std::string chartOnFile = chartOf(file);
            EXPECT_TRUE(onFile.found());
            const ReportSheet onServer = report(server.db, server.folder.path());
            EXPECT_EQ(rowsOf(onServer), rowsOf(onFile));
            EXPECT_EQ(sheetOf(onServer), sheetOf(onFile));
            EXPECT_EQ(chartOf(server), chartOnFile);
        }
        server.execute("ANALYZE");
    }
}
