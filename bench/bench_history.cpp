// Paging the order history over 1,000,000 orders and the customer file over
// 100,000 customers: each iteration is one page change (totals and rows).
#include "catalogue/CustomerFile.h"
#include "history/HistoryFilter.h"
#include "history/PagedList.h"
#include "support/DirectInsert.h"
#include "support/TestDatabase.h"
#include "ui/common/PagedListPanel.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

constexpr int orderCount = 1'000'000;
constexpr int customerCount = 100'000;

void fill(Database& database) {
    database.begin();
    DirectInsert order(
        database.connection(),
        "INSERT INTO 存单 (编号,票头,店铺名称,时间,减免,减免份数,减免金额,合计,"
        "支付方式,已付,实付,桌号,电话,姓名,地址,是否结算,备注) VALUES "
        "(?1,'微信点餐','白云快餐',?2,'无',0,0,?3,'现金支付',?4,?4,?5,?6,'张三',?7,1,'')");
    char time[32];
    for (int i = 0; i < orderCount; ++i) {
        // About 900 orders a day over three years.
        const int day = i / 900;
        std::snprintf(time, sizeof time, "%04d-%02d-%02d %02d:%02d:00", 2015 + day / 336,
                      1 + day / 28 % 12, 1 + day % 28, 8 + i % 900 / 60, i % 60);
        const bool dineIn = i % 2 == 0;
        const std::string phone = dineIn ? "" : "138" + std::to_string(10000000 + i % 5000);
        order.bind(1, 1 + i % 900)
            .bind(2, std::string(time))
            .bind(3, 30.5 + i % 7)
            .bind(4, 30 + i % 7)
            .bind(5, std::string(dineIn ? "A3" : ""))
            .bind(6, phone)
            .bind(7, std::string(dineIn ? "" : "白云路 12 号"))
            .insert();
    }
    DirectInsert customer(
        database.connection(),
        "INSERT INTO 客户 (电话,姓名,地址,订餐次数) VALUES (?1,?2,'白云路 12 号',1)");
    for (int i = 0; i < customerCount; ++i)
        customer.bind(1, "139" + std::to_string(10000000 + i))
            .bind(2, "客户" + std::to_string(i))
            .insert();
    database.commit();
}

// Filled on the first call.
Database& database() {
    static TestDatabase data(TestDatabase::Start::Template);
    static Database& db = []() -> Database& {
        fill(data.db);
        PagedList::prepareIndexes(data.db); // as the history window does when it opens
        return data.db;
    }();
    return db;
}

void showPages(benchmark::State& state, PagedList& list, int requested) {
    Database& db = database();
    long long rows = 0;
    for (auto _ : state) {
        int page = requested;
        const PagedList::Page shown = list.showPage(db, page);
        rows = static_cast<long long>(shown.rows.size());
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}

void orders(benchmark::State& state, const HistoryFilter& filter, int page) {
    PagedList list(PagedList::Kind::Orders);
    list.setConditionFragment(filter.fragment);
    showPages(state, list, page);
}

void customers(benchmark::State& state, const std::string& fragment, int page) {
    PagedList list(PagedList::Kind::Customers);
    list.setConditionFragment(fragment);
    showPages(state, list, page);
}

const DateTime midDay{2016, 6, 15, 0, 0, 0};
const DateTime monthEnd{2016, 7, 14, 0, 0, 0};

BENCHMARK_CAPTURE(orders, all_first, HistoryFilter::all(), 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(orders, all_middle, HistoryFilter::all(), 2500)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(orders, all_last, HistoryFilter::all(), -1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(orders, dine_in_middle, HistoryFilter::dineIn(), 1250)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(orders, dine_in_last, HistoryFilter::dineIn(), -1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(orders, take_out_last, HistoryFilter::takeOut(), -1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(orders, day_last, HistoryFilter::day(midDay), -1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(orders, period_last, *HistoryFilter::period(midDay, monthEnd), -1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(orders, customer_last, HistoryFilter::customer("13810000007"), -1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(customers, all_first, "", 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(customers, all_last, "", -1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(customers, search, CustomerFile::searchFragment("客户77777"), 1)
    ->Unit(benchmark::kMillisecond);

// The same last page drawn into the window's list.
void orders_window_last(benchmark::State& state) {
    PagedList list(PagedList::Kind::Orders);
    PagedListPanel panel(database(), list,
                         {{"ID", 40},
                          {"编号", 50},
                          {"时间", 160},
                          {"合计", 50},
                          {"实付", 50},
                          {"桌号", 100},
                          {"电话", 100},
                          {"姓名", 70},
                          {"地址", 150}},
                         "超级列表框_存单");
    for (auto _ : state) {
        int page = -1;
        panel.showPage(page);
    }
}
BENCHMARK(orders_window_last)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
