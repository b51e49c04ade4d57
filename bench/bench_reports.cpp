// Year income and year sales reports, chart files included, for every till
// and for one, the list of tills, and the start-up that checks the file, over
// five years of orders taken at three tills: 400,000 orders with 1,000,000
// order lines.
#include "KeptDatabase.h"
#include "ServerBench.h"
#include "reports/IncomeReports.h"
#include "reports/ReportTill.h"
#include "reports/SalesReports.h"
#include "storage/config/ProgramFolder.h"
#include "storage/engine/Database.h"
#include "storage/engine/StorageStartup.h"
#include "support/DirectInsert.h"
#include "support/StorageConditions.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <random>
#include <string>

namespace {

constexpr int orderCount = 400000;
constexpr int lineCount = 1000000;
constexpr int firstYear = 2013;
constexpr int years = 5;

const char* const tills[] = {"一号台", "二号台", "三号台"};

const char* const dishes[] = {"红烧排骨饭",   "茄子豆角", "西红柿炒蛋", "金针菇肉片", "白菜肉水饺",
                              "香菇猪肉水饺", "酸菜鱼",   "鱼香肉丝",   "青岛纯生",   "王老吉"};

std::string timeText(std::mt19937& random) {
    // Days of the five years, every month 28 days long keeps the dates valid.
    const int day = static_cast<int>(random() % (years * 12 * 28));
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", firstYear + day / (12 * 28),
                  day / 28 % 12 + 1, day % 28 + 1, 9 + static_cast<int>(random() % 13),
                  static_cast<int>(random() % 60), static_cast<int>(random() % 60));
    return text;
}

void makeRows(sqlite3* db) {
    DirectInsert order(db,
                       "insert into 存单 (编号,时间,实付,合计,已付,收银台) values (?,?,?,?,?,?)");
    DirectInsert line(db,
                      "insert into 存单详单 (存单ID,销售时间,菜名,数量,小计) values (?,?,?,?,?)");
    std::mt19937 random(7);
    int lines = 0;
    for (int id = 1; id <= orderCount; ++id) {
        const std::string time = timeText(random);
        const int paid = 10 + static_cast<int>(random() % 190);
        order.bind(1, id % 300 + 1).bind(2, time).bind(3, paid).bind(4, double(paid));
        order.bind(5, paid).bind(6, std::string(tills[id % std::size(tills)])).insert();
        // 2 or 3 lines an order, 1,000,000 in all.
        const int perOrder = (lines + 3 <= lineCount - 2 * (orderCount - id)) ? 3 : 2;
        for (int i = 0; i < perOrder; ++i, ++lines) {
            line.bind(1, id).bind(2, time);
            line.bind(3, std::string(dishes[random() % std::size(dishes)]));
            line.bind(4, 1 + static_cast<int>(random() % 3));
            line.bind(5, 3.5 + random() % 60).insert();
        }
    }
    std::printf("filled %d orders, %d lines\n", orderCount, lines);
}

Database& database() {
    return keptDatabase("tablewise-bench-reports-tills", makeRows);
}

// The same shape of data on the server: 400,000 orders over the 28-day months
// of five years at three tills, 2 or 3 lines each, 1,000,000 lines in all.
const char* const serverFill = R"SQL(
INSERT INTO "存单" ("编号","时间","实付","合计","已付","收银台")
SELECT g % 300 + 1, t, p, p, p, (ARRAY['一号台','二号台','三号台'])[1 + g % 3] FROM (
  SELECT g, 10 + (g * 31) % 190 AS p,
         format('%s-%s-%s %s:%s:%s', 2013 + d / 336, lpad((d / 28 % 12 + 1)::text, 2, '0'),
                lpad((d % 28 + 1)::text, 2, '0'), lpad((9 + g % 13)::text, 2, '0'),
                lpad((g % 60)::text, 2, '0'), lpad((g * 7 % 60)::text, 2, '0')) AS t
  FROM (SELECT g, (g::bigint * 7919) % 1680 AS d FROM generate_series(1, 400000) g) days) orders;
INSERT INTO "存单详单" ("存单ID","销售时间","菜名","数量","小计")
SELECT o.id, o."时间",
       (ARRAY['红烧排骨饭','茄子豆角','西红柿炒蛋','金针菇肉片','白菜肉水饺','香菇猪肉水饺',
              '酸菜鱼','鱼香肉丝','青岛纯生','王老吉'])[1 + (o.id * 7 + i) % 10],
       1 + (o.id + i) % 3, 3.5 + (o.id * 13 + i) % 60
FROM "存单" o, generate_series(1, 3) i WHERE i <= 2 + o.id % 2
)SQL";

// Runs `report` once an iteration on the SQLite file, or on the server when
// `server` (skipped without one).
template <typename Report> void runOn(benchmark::State& state, bool server, Report report) {
    Database* db =
        server ? keptServerDatabase("tablewise_bench_reports_tills", serverFill) : &database();
    if (!db)
        return state.SkipWithError("TABLEWISE_TEST_SERVER is not set");
    for (auto _ : state)
        report(*db);
}

// Every till's orders from the kept sums; one till's from its rows.
ReportTill tillOf(const char* name) {
    return name ? ReportTill::named(name) : ReportTill::all();
}

void yearIncomeReport(benchmark::State& state, bool server, const char* till = nullptr) {
    runOn(state, server, [&state, till](Database& db) {
        IncomeReports reports(db, ProgramFolder::path());
        reports.setTill(tillOf(till));
        if (!reports.year("2015").found())
            state.SkipWithError("no orders found");
    });
}
BENCHMARK_CAPTURE(yearIncomeReport, sqlite, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(yearIncomeReport, server, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(yearIncomeReport, one_till, false, "二号台")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(yearIncomeReport, one_till_server, true, "二号台")->Unit(benchmark::kMillisecond);

// An empty dish is every dish, as the report window starts.
void yearSales(benchmark::State& state, const std::string& dish, bool server,
               const char* till = nullptr) {
    runOn(state, server, [&state, &dish, till](Database& db) {
        SalesReportState remembered;
        SalesReports reports(db, ProgramFolder::path(), remembered);
        reports.setDishFilter(dish);
        reports.setTill(tillOf(till));
        if (!reports.year("2015").found())
            state.SkipWithError("no lines found");
    });
}

void yearSalesReport(benchmark::State& state, bool server, const char* till = nullptr) {
    yearSales(state, "", server, till);
}
BENCHMARK_CAPTURE(yearSalesReport, sqlite, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(yearSalesReport, server, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(yearSalesReport, one_till, false, "二号台")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(yearSalesReport, one_till_server, true, "二号台")->Unit(benchmark::kMillisecond);

// What the till drop-down of a report window offers.
void tillChoices(benchmark::State& state, bool server) {
    runOn(state, server, [&state](Database& db) {
        const auto choices = ReportTill::choices(db);
        if (!choices || choices->size() != 4)
            state.SkipWithError("the tills were not found");
    });
}
BENCHMARK_CAPTURE(tillChoices, sqlite, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tillChoices, server, true)->Unit(benchmark::kMillisecond);

void yearSalesReportOneDish(benchmark::State& state, bool server) {
    yearSales(state, "酸菜鱼", server);
}
BENCHMARK_CAPTURE(yearSalesReportOneDish, sqlite, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(yearSalesReportOneDish, server, true)->Unit(benchmark::kMillisecond);

void monthIncomeReport(benchmark::State& state, bool server) {
    runOn(state, server,
          [](Database& db) { IncomeReports(db, ProgramFolder::path()).month("2015", "6"); });
}
BENCHMARK_CAPTURE(monthIncomeReport, sqlite, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(monthIncomeReport, server, true)->Unit(benchmark::kMillisecond);

void monthSalesReport(benchmark::State& state, bool server) {
    runOn(state, server, [](Database& db) {
        SalesReportState remembered;
        SalesReports(db, ProgramFolder::path(), remembered).month("2015-06");
    });
}
BENCHMARK_CAPTURE(monthSalesReport, sqlite, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(monthSalesReport, server, true)->Unit(benchmark::kMillisecond);

// The whole start-up of storage: connect, check the file, upgrade, seed. The
// first start of a day, like every start after the program was killed or the
// power cut, reads every page back and compares every index with its table;
// a later start after a clean end checks the rest.
void startUp(benchmark::State& state, bool firstOfTheDay) {
    // Closed, as the program's end closes it: a file still open counts as
    // left by a program that did not end cleanly.
    database().close();
    const std::string checked = ProgramFolder::databasePath() + ".checked";
    for (auto _ : state) {
        if (firstOfTheDay) {
            state.PauseTiming();
            std::filesystem::remove(checked);
            state.ResumeTiming();
        }
        Database db;
        if (!StorageStartup::openDatabase(db))
            state.SkipWithError("the database was refused");
    }
}
BENCHMARK_CAPTURE(startUp, firstOfTheDay, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startUp, laterInTheDay, false)->Unit(benchmark::kMillisecond);

// A start that finds the lines of some orders missing from their index: the
// file read whole, every index rebuilt from its table and the file read
// whole again. Measured on a copy, so the kept file stays sound.
void startUpRebuildingIndexes(benchmark::State& state) {
    database();
    const std::string copy = ProgramFolder::path() + "/damaged-index.mdb";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::copy_file(ProgramFolder::databasePath(), copy,
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::remove(copy + ".checked");
        StorageConditions::changeBehindIndex(copy, "存单详单_存单ID",
                                             "delete from 存单详单 where 存单ID <= 10");
        state.ResumeTiming();
        Database db;
        if (!StorageStartup::openDatabase(db, copy) || !db.indexesRebuilt())
            state.SkipWithError("the indexes were not rebuilt");
    }
    std::filesystem::remove(copy);
    std::filesystem::remove(copy + ".checked");
}
BENCHMARK(startUpRebuildingIndexes)->Unit(benchmark::kMillisecond)->Iterations(2);

void soundnessCheck(benchmark::State& state) {
    Database& db = database();
    for (auto _ : state)
        if (!db.isSound())
            state.SkipWithError("the database was found damaged");
}
BENCHMARK(soundnessCheck)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
