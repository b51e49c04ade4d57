// A year of demo data on the template database: its 28 dishes, 18 tables and
// a handful of customers, written in one transaction.
#include "orders/DemoDataGenerator.h"
#include "storage/Database.h"
#include "storage/ProgramFolder.h"
#include "storage/StorageStartup.h"
#include "storage/Values.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::vector<DemoDataGenerator::Dish> catalogue(Database& db) {
    std::vector<DemoDataGenerator::Dish> dishes;
    const int handle = db.OpenTable("Select * from 菜单");
    for (; handle != 0 && !db.IsEOF(handle); db.MoveNext(handle))
        dishes.push_back({db.ReadColByName(handle, "菜名").toText(),
                          db.ReadColByName(handle, "价格").toText(),
                          db.ReadColByName(handle, "单位").toText()});
    db.CloseTable(handle);
    return dishes;
}

std::vector<std::string> tables(Database& db) {
    std::vector<std::string> names;
    const int handle = db.OpenTable("Select * from 桌号");
    for (; handle != 0 && !db.IsEOF(handle); db.MoveNext(handle))
        names.push_back(db.ReadColByName(handle, "桌号名称").toText());
    db.CloseTable(handle);
    return names;
}

void BM_DemoYear(benchmark::State& state) {
    int orders = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::string pattern = (fs::temp_directory_path() / "tw-bench-XXXXXX").string();
        const fs::path folder = mkdtemp(pattern.data());
        ProgramFolder::setPath(folder.string());
        {
            Database db;
            StorageStartup::openDatabase(db);
            for (int i = 0; i < 20; ++i)
                db.ExecuteSql("insert into 客户 (电话,姓名,地址,订餐次数) values (" +
                              Values::sqlQuote("1350000" + std::to_string(1000 + i)) +
                              ",'顾客','幸福路" + std::to_string(i) + "号',1)");
            DemoDataGenerator generator(db, catalogue(db), tables(db));
            generator.prepare();
            state.ResumeTiming();
            generator.generate(2024, 42);
            state.PauseTiming();
            orders = generator.ordersWritten();
        }
        fs::remove_all(folder);
        state.ResumeTiming();
    }
    state.counters["orders"] = orders;
}
BENCHMARK(BM_DemoYear)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
