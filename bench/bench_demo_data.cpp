// A year of demo data on the template database: its 28 dishes, 18 tables and
// a handful of customers, written in one transaction.
#include "support/SampleOrders.h"
#include "support/TestDatabase.h"

#include <benchmark/benchmark.h>

namespace {

void BM_DemoYear(benchmark::State& state) {
    int orders = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            TestDatabase data;
            for (int i = 0; i < 20; ++i)
                data.addCustomer("1350000" + std::to_string(1000 + i), "顾客",
                                 "幸福路" + std::to_string(i) + "号");
            DemoDataGenerator generator = storedCatalogueGenerator(data.db);
            generator.prepare();
            state.ResumeTiming();
            generator.generate(2024, 42);
            state.PauseTiming();
            orders = generator.ordersWritten();
        }
        state.ResumeTiming();
    }
    state.counters["orders"] = orders;
}
BENCHMARK(BM_DemoYear)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
