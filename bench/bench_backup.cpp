// The automatic backup of a database with 1,000,000 order lines while the
// window keeps storing orders: the longest wait of the window's statement.
// Also the check a restore makes of such a copy, and the quick look the
// restore list takes at each copy.
#include "MustExecute.h"
#include "KeptDatabase.h"
#include "storage/copies/AutomaticBackups.h"
#include "storage/values/Clock.h"
#include "storage/copies/DatabaseRestore.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

namespace {

void settleOne(Database& db) {
    db.begin();
    mustExecute(db, "insert into 存单 (编号,时间,合计,实付,是否结算) values "
                  "(1,'2026-12-08 12:00:00',10,10,'1')");
    db.commit();
}

std::string newestCopy(Database& db) {
    AutomaticBackups backups(db, Clock::system());
    const auto copies = backups.folder().copies();
    return copies.empty() ? std::string() : copies.front().path;
}

// While the copy runs on its thread, the window reads the dishes or settles
// an order every 5 ms: how long the longest of them waits is what the
// cashier could feel. A settlement flushes to the disk, which the copy
// keeps busy: compare with settlementAlone.
void automaticBackup(benchmark::State& state, bool settle) {
    Database& db = orderLinesDatabase();
    using Steady = std::chrono::steady_clock;
    double longest = 0;
    long long statements = 0;
    long long over16 = 0;
    for (auto _ : state) {
        AutomaticBackups backups(db, Clock::system());
        if (!backups.start())
            state.SkipWithError("backup did not start");
        while (backups.poll()) {
            const Steady::time_point begin = Steady::now();
            if (settle)
                settleOne(db);
            else
                db.CloseTable(db.OpenTable("select count(*) from 菜单"));
            const std::chrono::duration<double, std::milli> took = Steady::now() - begin;
            longest = std::max(longest, took.count());
            over16 += took.count() > 16;
            ++statements;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (!backups.takeFailure().empty())
            state.SkipWithError("backup failed");
    }
    state.counters["longest_wait_ms"] = longest;
    state.counters["statements"] = double(statements);
    // On a shared machine another program may take the processor meanwhile.
    state.counters["waits_over_16ms"] = double(over16);
    state.counters["MB"] = double(std::filesystem::file_size(newestCopy(db))) / 1e6;
}
// The same settlements without a copy running, to compare with.
void settlementAlone(benchmark::State& state) {
    Database& db = orderLinesDatabase();
    using Steady = std::chrono::steady_clock;
    double longest = 0;
    long long over16 = 0;
    for (auto _ : state) {
        const Steady::time_point begin = Steady::now();
        settleOne(db);
        const std::chrono::duration<double, std::milli> took = Steady::now() - begin;
        longest = std::max(longest, took.count());
        over16 += took.count() > 16;
    }
    state.counters["longest_wait_ms"] = longest;
    state.counters["waits_over_16ms"] = double(over16);
}
BENCHMARK(settlementAlone)->Unit(benchmark::kMillisecond)->Iterations(300);

BENCHMARK_CAPTURE(automaticBackup, reading, false)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(automaticBackup, settling, true)->Unit(benchmark::kMillisecond)->Iterations(3);

void inspect(benchmark::State& state, bool everyPage) {
    const std::string copy = newestCopy(orderLinesDatabase());
    for (auto _ : state)
        if (!DatabaseRestore::inspect(copy, everyPage).sound)
            state.SkipWithError("copy not sound");
}
BENCHMARK_CAPTURE(inspect, restore_check, true)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(inspect, list_entry, false)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
