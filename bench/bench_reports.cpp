// Year income and year sales reports, chart files included, and the start-up
// that checks the file, over five years of orders: 400,000 orders with
// 1,000,000 order lines.
#include "KeptDatabase.h"
#include "reports/IncomeReports.h"
#include "reports/SalesReports.h"
#include "storage/Database.h"
#include "storage/ProgramFolder.h"
#include "storage/StorageStartup.h"
#include "support/DirectInsert.h"

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
    DirectInsert order(db, "insert into 存单 (编号,时间,实付,合计,已付) values (?,?,?,?,?)");
    DirectInsert line(db,
                      "insert into 存单详单 (存单ID,销售时间,菜名,数量,小计) values (?,?,?,?,?)");
    std::mt19937 random(7);
    int lines = 0;
    for (int id = 1; id <= orderCount; ++id) {
        const std::string time = timeText(random);
        const int paid = 10 + static_cast<int>(random() % 190);
        order.bind(1, id % 300 + 1).bind(2, time).bind(3, paid).bind(4, double(paid));
        order.bind(5, paid).insert();
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
    return keptDatabase("tablewise-bench-reports", makeRows);
}

void yearIncomeReport(benchmark::State& state) {
    Database& db = database();
    for (auto _ : state) {
        const auto sheet = IncomeReports(db, ProgramFolder::path()).year("2015");
        if (!sheet.found())
            state.SkipWithError("no orders found");
    }
}
BENCHMARK(yearIncomeReport)->Unit(benchmark::kMillisecond);

// An empty dish is every dish, as the report window starts.
void yearSales(benchmark::State& state, const std::string& dish) {
    Database& db = database();
    for (auto _ : state) {
        SalesReportState remembered;
        SalesReports reports(db, ProgramFolder::path(), remembered);
        reports.setDishFilter(dish);
        if (!reports.year("2015").found())
            state.SkipWithError("no lines found");
    }
}

void yearSalesReport(benchmark::State& state) {
    yearSales(state, "");
}
BENCHMARK(yearSalesReport)->Unit(benchmark::kMillisecond);

void yearSalesReportOneDish(benchmark::State& state) {
    yearSales(state, "酸菜鱼");
}
BENCHMARK(yearSalesReportOneDish)->Unit(benchmark::kMillisecond);

void monthIncomeReport(benchmark::State& state) {
    Database& db = database();
    for (auto _ : state)
        IncomeReports(db, ProgramFolder::path()).month("2015", "6");
}
BENCHMARK(monthIncomeReport)->Unit(benchmark::kMillisecond);

void monthSalesReport(benchmark::State& state) {
    Database& db = database();
    for (auto _ : state) {
        SalesReportState remembered;
        SalesReports(db, ProgramFolder::path(), remembered).month("2015-06");
    }
}
BENCHMARK(monthSalesReport)->Unit(benchmark::kMillisecond);

// The whole start-up of storage: connect, check the file, upgrade, seed. The
// first start of a day reads every page back; later starts check the rest.
void startUp(benchmark::State& state, bool firstOfTheDay) {
    database();
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

void soundnessCheck(benchmark::State& state) {
    Database& db = database();
    for (auto _ : state)
        if (!db.isSound())
            state.SkipWithError("the database was found damaged");
}
BENCHMARK(soundnessCheck)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
