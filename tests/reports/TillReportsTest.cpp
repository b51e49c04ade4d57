#include "ReportTest.h"

#include "reports/ChartFiles.h"
#include "reports/IncomeReports.h"
#include "reports/ReportTill.h"
#include "reports/SalesReports.h"

#include <filesystem>
#include <functional>

namespace {

using Lines = std::vector<std::vector<std::string>>;

// Orders of two named tills and of none (NULL and empty), with their lines.
class TillReportsTest : public ReportTest {
  protected:
    void addRows() override {
        inOneTransaction([&] {
            order("'一号台'", "2017-05-08 12:00:00", "30.5",
                  {{"宫保鸡丁", "20.5"}, {"米饭", "10"}});
            order("'一号台'", "2017-06-01 10:00:00", "12", {{"酸菜鱼", "12"}});
            order("'老王''s台'", "2017-05-08 18:00:00", "100", {{"酸菜鱼", "100"}});
            order("NULL", "2017-05-09 12:00:00", "7", {{"米饭", "7"}});
            order("''", "2017-12-31 23:59:59", "8", {{"米饭", "8"}});
        });
    }
    void order(const std::string& till, const std::string& time, const std::string& paid,
               const std::vector<std::pair<std::string, std::string>>& lines) {
        const long long id = TestDatabase::addOrder({.time = time, .total = paid, .paid = paid});
        execute("update 存单 set 收银台=" + till + " where ID=" + std::to_string(id));
        for (const auto& [dish, subtotal] : lines)
            TestDatabase::addLine(id, time, dish, "1", subtotal);
    }
    static Lines dataRows(const ReportSheet& sheet) {
        Lines rows;
        for (int r = ReportSheet::firstDataRow; r <= sheet.lastDataRow(); ++r) {
            rows.emplace_back();
            for (int c = 0; c < sheet.columns(); ++c)
                if (!sheet.text(r, c).empty())
                    rows.back().push_back(sheet.text(r, c));
        }
        return rows;
    }
    // Both chart files, as the last report left them.
    std::string charts() const {
        std::string both;
        for (const std::string& path :
             {ChartFiles::lineChartPath(folder.path()), ChartFiles::pieChartPath()})
            both += std::filesystem::exists(path) ? TempFolder::read(path) + "|" : "-|";
        return both;
    }
    static std::vector<std::string> labels(const std::vector<ReportTill>& tills) {
        std::vector<std::string> found;
        for (const ReportTill& till : tills)
            found.push_back(till.label());
        return found;
    }

    SalesReportState m_state;
};

INSTANTIATE_TEST_SUITE_P(Engines, TillReportsTest, bothEngines, engineName);

using Report =
    std::function<ReportSheet(Database&, const std::string&, SalesReportState&, const ReportTill&)>;

Report income(std::function<ReportSheet(IncomeReports&)> run) {
    return
        [run](Database& db, const std::string& folder, SalesReportState&, const ReportTill& till) {
            IncomeReports reports(db, folder);
            reports.setTill(till);
            return run(reports);
        };
}

Report sales(std::function<ReportSheet(SalesReports&)> run, const std::string& dish = {}) {
    return [run, dish](Database& db, const std::string& folder, SalesReportState& state,
                       const ReportTill& till) {
        SalesReports reports(db, folder, state);
        reports.setDishFilter(dish);
        reports.setTill(till);
        return run(reports);
    };
}

const Report incomeYear = income([](IncomeReports& r) { return r.year("2017"); });
const Report incomeQuarter = income([](IncomeReports& r) { return r.quarter("2017", "2"); });
const Report incomeMonth = income([](IncomeReports& r) { return r.month("2017", "5"); });
const Report incomeDay = income([](IncomeReports& r) { return r.day("2017年5月8日"); });
const Report salesYear = sales([](SalesReports& r) { return r.year("2017"); });
const Report salesMonth = sales([](SalesReports& r) { return r.month("2017-05"); });
const Report salesDay = sales([](SalesReports& r) { return r.day("2017年5月8日"); });

TEST_P(TillReportsTest, ChoicesListEveryTillByNameThenTheUnrecordedOnes) {
    const auto choices = ReportTill::choices(db);
    ASSERT_TRUE(choices) << choices.error();
    EXPECT_EQ(labels(*choices),
              (std::vector<std::string>{"全部收银台", "一号台", "老王's台", "（未记录）"}));
    EXPECT_TRUE((*choices)[0].isAll());
    execute("update 存单 set 收银台='一号台' where 收银台 is null or 收银台=''");
    const auto named = ReportTill::choices(db);
    ASSERT_TRUE(named);
    EXPECT_EQ(labels(*named), (std::vector<std::string>{"全部收银台", "一号台", "老王's台"}));
}

TEST_P(TillReportsTest, OneTillCountsOnlyItsOwnOrdersAndSaysWhose) {
    const ReportTill one = ReportTill::named("一号台");
    const ReportTill wang = ReportTill::named("老王's台");
    const ReportTill none = ReportTill::none();
    const struct {
        const char* what;
        const Report& report;
        ReportTill till;
        const char* title;
        Lines rows;
    } cases[] = {
        {"income year",
         incomeYear,
         one,
         "2017年 年报表 收银台：一号台",
         {{"2017-05", "30.5", "1", "30.5"}, {"2017-06", "12", "1", "12"}}},
        {"income year, no till",
         incomeYear,
         none,
         "2017年 年报表 收银台：（未记录）",
         {{"2017-05", "7", "1", "7"}, {"2017-12", "8", "1", "8"}}},
        {"income quarter",
         incomeQuarter,
         wang,
         "2017年2季度报表 收银台：老王's台",
         {{"2017-05", "100", "1", "100"}}},
        {"income month",
         incomeMonth,
         none,
         "2017年5月 月报表 收银台：（未记录）",
         {{"2017-05-09", "7", "1", "7"}}},
        {"income day",
         incomeDay,
         one,
         "2017年5月8日 点单报表 收银台：一号台",
         {{"2017年5月8日12时", "30.5"}}},
        {"income day, no till", incomeDay, none, "2017年5月8日 点单报表 收银台：（未记录）", {}},
        {"sales year",
         salesYear,
         one,
         "2017年 所有菜品销售表 收银台：一号台",
         {{"05月", "2", "30.5"}, {"06月", "1", "12"}}},
        {"sales year, one dish",
         sales([](SalesReports& r) { return r.year("2017"); }, "酸菜鱼"),
         one,
         "2017年 酸菜鱼销售表 收银台：一号台",
         {{"06月", "1", "12"}}},
        {"sales month",
         salesMonth,
         none,
         "2017-05月 所有菜品销售表 收银台：（未记录）",
         {{"09日", "1", "7"}}},
        {"sales day",
         salesDay,
         wang,
         "2017年5月8日所有菜品销售表 收银台：老王's台",
         {{"2017年5月8日18时", "酸菜鱼(1)", "100"}}},
    };
    for (const auto& c : cases) {
        const ReportSheet sheet = c.report(db, folder.path(), m_state, c.till);
        EXPECT_EQ(sheet.failure(), "") << c.what;
        EXPECT_EQ(sheet.found(), !c.rows.empty()) << c.what;
        EXPECT_EQ(sheet.title(), c.title) << c.what;
        EXPECT_EQ(sheet.text(0, 0), c.title) << c.what;
        EXPECT_EQ(dataRows(sheet), c.rows) << c.what;
    }
}

// The figures added up from the rows match the kept ones to the fen, chart
// files included, when one till took every order.
TEST_P(TillReportsTest, ATillWithEveryOrderGivesTheFiguresOfAllTills) {
    execute("update 存单 set 收银台='一号台'");
    const Report reports[] = {incomeYear, incomeQuarter, incomeMonth, incomeDay,
                              salesYear,  salesMonth,    salesDay};
    for (const Report& report : reports) {
        const ReportSheet all = report(db, folder.path(), m_state, ReportTill::all());
        const std::string chart = charts();
        const ReportSheet one = report(db, folder.path(), m_state, ReportTill::named("一号台"));
        ASSERT_TRUE(all.found()) << all.title();
        EXPECT_EQ(one.title(), all.title() + " 收银台：一号台");
        EXPECT_EQ(one.rowCount(), all.rowCount()) << all.title();
        for (int r = 1; r < all.rowCount(); ++r)
            for (int c = 0; c < all.columns(); ++c)
                EXPECT_EQ(one.text(r, c), all.text(r, c)) << all.title() << " " << r << "," << c;
        EXPECT_EQ(charts(), chart) << all.title();
    }
}

} // namespace
