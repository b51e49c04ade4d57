// Exporting the whole order history, 1,000,000 orders with 2,500,000 order
// lines, to .xlsx and .csv; importing a menu of 2,000 dishes. Peak memory of
// the export: /usr/bin/time -v build/bench_export --benchmark_filter=xlsx
#include "KeptDatabase.h"
#include "history/PagedList.h"
#include "spreadsheet/HistoryExport.h"
#include "spreadsheet/MenuFile.h"
#include "spreadsheet/MenuImport.h"
#include "storage/Database.h"
#include "storage/ProgramFolder.h"
#include "storage/StorageStartup.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr int orderCount = 1'000'000;
constexpr int linesPerTwoOrders = 5;

const char* const dishes[] = {"红烧排骨饭",   "茄子豆角", "西红柿炒蛋", "金针菇肉片", "白菜肉水饺",
                              "香菇猪肉水饺", "酸菜鱼",   "鱼香肉丝",   "青岛纯生",   "王老吉"};

// Rows go straight into the file: through the dialect translator the set-up
// alone would take longer than the export.
bool fill(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK)
        return false;
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* order = nullptr;
    sqlite3_stmt* line = nullptr;
    sqlite3_prepare_v2(db,
                       "insert into 存单 (编号,时间,合计,实付,桌号,电话,姓名,地址) values "
                       "(?1,?2,?3,?4,?5,?6,'张三',?7)",
                       -1, &order, nullptr);
    sqlite3_prepare_v2(
        db, "insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) values (?,?,?,?,'份',?)",
        -1, &line, nullptr);
    char time[32];
    for (int id = 1; id <= orderCount; ++id) {
        // About 900 orders a day over three years.
        const int day = id / 900;
        std::snprintf(time, sizeof time, "%04d-%02d-%02d %02d:%02d:%02d", 2015 + day / 336,
                      1 + day / 28 % 12, 1 + day % 28, 8 + id % 900 / 60, id % 60, id % 7);
        const bool dineIn = id % 2 == 0;
        sqlite3_bind_int(order, 1, 1 + id % 900);
        sqlite3_bind_text(order, 2, time, -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(order, 3, 30.5 + id % 7);
        sqlite3_bind_int(order, 4, 30 + id % 7);
        sqlite3_bind_text(order, 5, dineIn ? "A3" : "", -1, SQLITE_STATIC);
        sqlite3_bind_text(order, 6, dineIn ? "" : "13812345678", -1, SQLITE_STATIC);
        sqlite3_bind_text(order, 7, dineIn ? "" : "白云路 12 号", -1, SQLITE_STATIC);
        sqlite3_step(order);
        sqlite3_reset(order);
        const int lines =
            id % 2 == 0 ? linesPerTwoOrders / 2 : linesPerTwoOrders - linesPerTwoOrders / 2;
        for (int i = 0; i < lines; ++i) {
            sqlite3_bind_int(line, 1, id);
            sqlite3_bind_text(line, 2, time, -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(line, 3, dishes[(id + i) % std::size(dishes)], -1, SQLITE_STATIC);
            sqlite3_bind_int(line, 4, 1 + i);
            sqlite3_bind_double(line, 5, 12.5 + i);
            sqlite3_step(line);
            sqlite3_reset(line);
        }
    }
    sqlite3_finalize(order);
    sqlite3_finalize(line);
    const bool ok = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

std::filesystem::path folder() {
    return std::filesystem::temp_directory_path() / "tablewise-bench-export";
}

Database& database() {
    return keptDatabase("tablewise-bench-export", fill);
}

void exportHistory(benchmark::State& state, const char* name) {
    Database& db = database();
    const PagedList all(PagedList::Kind::Orders);
    const std::string path = (folder() / name).string();
    for (auto _ : state) {
        // Packing the .xlsx runs on a second thread: read the process's CPU time too.
        if (HistoryExport(db, all).toFile(path, [](long long, long long) { return true; }) !=
            WriteResult::Written)
            state.SkipWithError("export failed");
    }
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}
BENCHMARK_CAPTURE(exportHistory, xlsx, "history.xlsx")->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK_CAPTURE(exportHistory, csv, "history.csv")->Unit(benchmark::kSecond)->Iterations(1);

// A menu of 2,000 new dishes, read, checked and stored into a fresh catalogue.
void importMenu(benchmark::State& state) {
    const auto menuFolder = folder() / "menu";
    std::filesystem::create_directories(menuFolder);
    const std::string path = (menuFolder / "menu.csv").string();
    {
        std::ofstream menu(path, std::ios::binary);
        menu << "数字代号,菜名,价格,单位\r\n";
        for (int i = 0; i < 2000; ++i)
            menu << 5000 + i << ",家常" << dishes[i % std::size(dishes)] << i << "," << 8 + i % 30
                 << ",份\r\n";
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(menuFolder / "data");
        ProgramFolder::setPath(menuFolder.string());
        Database db;
        if (!StorageStartup::openDatabase(db))
            std::abort();
        state.ResumeTiming();
        std::string problem;
        const auto preview = MenuImport(db).preview(*MenuFile::read(path, problem));
        if (MenuImport(db).apply(preview, {}) != WriteResult::Written ||
            preview.count(MenuImport::Kind::Add) != 2000)
            state.SkipWithError("import failed");
    }
}
BENCHMARK(importMenu)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
