// Order entry speed: the dish search with its result-list refill on every
// keystroke over a 10,000-dish catalogue, and start-up to a shown main window
// over 100,000 stored orders.
#include "MustExecute.h"
#include "orders/DishCache.h"
#include "storage/engine/StorageStartup.h"
#include "support/TestApplication.h"
#include "support/TestDatabase.h"
#include "ui/order/MainWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QTreeView>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

std::string letterCode(int i) {
    std::string letters;
    for (int n = i * 7919 + 13; letters.size() < 5; n /= 26)
        letters += static_cast<char>('a' + n % 26);
    return letters;
}

// A database in a folder of its own, filled as the benchmark needs.
struct Installation : TestDatabase {
    void addDishes(int count) {
        db.begin();
        mustExecute(db, "Delete * from 菜单 where ID>0");
        char sql[256];
        for (int i = 1; i <= count; ++i) {
            std::snprintf(sql, sizeof sql,
                          "insert into 菜单 (代码,字母,菜名,价格,单位) values "
                          "('%05d','%s','菜品%05d',%d.5,'份')",
                          i, letterCode(i).c_str(), i, 5 + i % 40);
            mustExecute(db, sql);
        }
        db.commit();
    }

    void addStoredOrders(int count) {
        db.begin();
        char sql[256];
        for (int i = 0; i < count; ++i) {
            const int day = 1 + i % 28, month = 1 + (i / 28) % 12;
            std::snprintf(sql, sizeof sql,
                          "insert into 存单 (编号,票头,店铺名称,时间,合计,实付,支付方式) values "
                          "(%d,'微信点餐','白云快餐','2025-%02d-%02d 12:%02d',%d,%d,'现金支付')",
                          1 + i / 336, month, day, i % 60, 20 + i % 50, 20 + i % 50);
            mustExecute(db, sql);
        }
        db.commit();
    }
};

void BM_DishSearch(benchmark::State& state) {
    DishCache dishes;
    std::vector<Dish> all;
    for (int i = 1; i <= 10000; ++i) {
        char code[8];
        std::snprintf(code, sizeof code, "%05d", i);
        all.push_back({"菜品", "15.5", code, letterCode(i), "份"});
    }
    dishes.setDishes(std::move(all));
    const char* texts[] = {"1", "12", "123", "a", "ab", "9"};
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(dishes.search(texts[i++ % 6]));
}
BENCHMARK(BM_DishSearch)->Unit(benchmark::kMicrosecond);

// One keystroke in the dish code box: search, refill, first row selected,
// and the list laid out and painted.
void BM_DishSearchKeystroke(benchmark::State& state) {
    ensureTestApplication();
    Installation install;
    install.addDishes(10000);
    MainWindow window(install.db, install.clock);
    window.startUp();
    window.resize(1366, 768);
    window.show();
    auto* code = window.findChild<QLineEdit*>(QStringLiteral("编辑框_项目代号"));
    auto* results = window.findChild<QTreeView*>(QStringLiteral("超级列表框2"));
    const QString texts[] = {"1", "12", "123", "1234", "a", "ab", "abc", "9"};
    size_t i = 0;
    for (auto _ : state) {
        code->setText(texts[i++ % 8]);
        results->viewport()->repaint();
    }
    state.counters["rows"] = results->model()->rowCount();
}
BENCHMARK(BM_DishSearchKeystroke)->Unit(benchmark::kMillisecond);

// From opening the database to the main window shown with its lists filled.
void BM_StartUpWith100kOrders(benchmark::State& state) {
    ensureTestApplication();
    Installation install;
    install.addStoredOrders(100000);
    install.db.close();
    for (auto _ : state) {
        Database db;
        db.setClock(install.clock);
        if (!StorageStartup::openDatabase(db)) {
            state.SkipWithError("the database did not open");
            break;
        }
        auto window = std::make_unique<MainWindow>(db, install.clock);
        window->startUp();
        window->resize(1366, 768);
        window->show();
        QApplication::processEvents();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpWith100kOrders)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
