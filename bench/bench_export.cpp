// Exporting the whole order history, 1,000,000 orders with 2,500,000 order
// lines, to .xlsx and .csv; importing a menu of 2,000 dishes. Peak memory of
// the export: /usr/bin/time -v build/bench_export --benchmark_filter=xlsx
#include "KeptDatabase.h"
#include "history/PagedList.h"
#include "spreadsheet/HistoryExport.h"
#include "spreadsheet/MenuFile.h"
#include "spreadsheet/MenuImport.h"
#include "storage/engine/Database.h"
#include "storage/config/ProgramFolder.h"
#include "storage/engine/StorageStartup.h"
#include "support/DirectInsert.h"

#include <benchmark/benchmark.h>

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

void makeRows(sqlite3* db) {
    DirectInsert order(db, "insert into 存单 (编号,时间,合计,实付,桌号,电话,姓名,地址) values "
                           "(?1,?2,?3,?4,?5,?6,'张三',?7)");
    DirectInsert line(
        db, "insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) values (?,?,?,?,'份',?)");
    char time[32];
    for (int id = 1; id <= orderCount; ++id) {
        // About 900 orders a day over three years.
        const int day = id / 900;
        std::snprintf(time, sizeof time, "%04d-%02d-%02d %02d:%02d:%02d", 2015 + day / 336,
                      1 + day / 28 % 12, 1 + day % 28, 8 + id % 900 / 60, id % 60, id % 7);
        const bool dineIn = id % 2 == 0;
        order.bind(1, 1 + id % 900).bind(2, std::string(time)).bind(3, 30.5 + id % 7);
        order.bind(4, 30 + id % 7).bind(5, std::string(dineIn ? "A3" : ""));
        order.bind(6, std::string(dineIn ? "" : "13812345678"));
        order.bind(7, std::string(dineIn ? "" : "白云路 12 号")).insert();
        const int lines =
            id % 2 == 0 ? linesPerTwoOrders / 2 : linesPerTwoOrders - linesPerTwoOrders / 2;
        for (int i = 0; i < lines; ++i) {
            line.bind(1, id).bind(2, std::string(time));
            line.bind(3, std::string(dishes[(id + i) % std::size(dishes)]));
            line.bind(4, 1 + i).bind(5, 12.5 + i).insert();
        }
    }
}

std::filesystem::path folder() {
    return std::filesystem::temp_directory_path() / "tablewise-bench-export";
}

Database& database() {
    return keptDatabase("tablewise-bench-export", makeRows);
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
