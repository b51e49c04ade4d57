// Paging the order history over 1,000,000 orders and the customer file over
// 100,000 customers: each iteration is one page change (totals and rows).
// Also what the change record costs a deletion and an edit among 1,000,000
// order lines.
#include "MustExecute.h"
#include "KeptDatabase.h"
#include "ServerBench.h"
#include "catalogue/CustomerFile.h"
#include "history/ChangeLog.h"
#include "history/HistoryFilter.h"
#include "history/PagedList.h"
#include "history/StoredOrders.h"
#include "storage/engine/TillList.h"
#include "orders/OrderEditor.h"
#include "storage/engine/DbTransaction.h"
#include "support/DirectInsert.h"
#include "support/SampleOrders.h"
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
        "支付方式,已付,实付,桌号,电话,姓名,地址,是否结算,备注,收银台) VALUES "
        "(?1,'微信点餐','白云快餐',?2,'无',0,0,?3,'现金支付',?4,?4,?5,?6,'张三',?7,1,'',?8)");
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
            .bind(8, std::string(i % 3 ? "一号机" : "二号机"))
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
        return data.db;
    }();
    return db;
}

// The same orders and customers on the server.
const char* const serverFill = R"SQL(
INSERT INTO "存单" ("编号","票头","店铺名称","时间","减免","减免份数","减免金额","合计","支付方式",
                    "已付","实付","桌号","电话","姓名","地址","是否结算","备注","收银台")
SELECT 1 + i % 900, '微信点餐', '白云快餐',
       format('%s-%s-%s %s:%s:00', 2015 + i / 900 / 336, lpad((1 + i / 900 / 28 % 12)::text, 2, '0'),
              lpad((1 + i / 900 % 28)::text, 2, '0'), lpad((8 + i % 900 / 60)::text, 2, '0'),
              lpad((i % 60)::text, 2, '0')),
       '无', 0, 0, 30.5 + i % 7, '现金支付', 30 + i % 7, 30 + i % 7,
       CASE WHEN i % 2 = 0 THEN 'A3' ELSE '' END,
       CASE WHEN i % 2 = 0 THEN '' ELSE '138' || (10000000 + i % 5000) END, '张三',
       CASE WHEN i % 2 = 0 THEN '' ELSE '白云路 12 号' END, 1, '',
       CASE WHEN i % 3 = 0 THEN '二号机' ELSE '一号机' END
FROM generate_series(0, 999999) i;
INSERT INTO "客户" ("电话","姓名","地址","订餐次数")
SELECT '139' || (10000000 + i), '客户' || i, '白云路 12 号', 1 FROM generate_series(0, 99999) i
)SQL";

Database* serverDatabase() {
    static Database* db = keptServerDatabase("tablewise_bench_history", serverFill);
    return db;
}

void showPages(benchmark::State& state, PagedList& list, int requested, Database& db) {
    long long rows = 0;
    for (auto _ : state) {
        int page = requested;
        const PagedList::Page shown = *list.showPage(db, page);
        rows = static_cast<long long>(shown.rows.size());
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}

void orders(benchmark::State& state, const HistoryFilter& filter, int page) {
    PagedList list(PagedList::Kind::Orders);
    list.setOrderFilter(filter);
    showPages(state, list, page, database());
}

void serverOrders(benchmark::State& state, const HistoryFilter& filter, int page) {
    Database* db = serverDatabase();
    if (!db)
        return state.SkipWithError("TABLEWISE_TEST_SERVER is not set");
    PagedList list(PagedList::Kind::Orders);
    list.setOrderFilter(filter);
    showPages(state, list, page, *db);
}

void customers(benchmark::State& state, const std::string& fragment, int page) {
    PagedList list(PagedList::Kind::Customers);
    list.setConditionFragment(fragment);
    showPages(state, list, page, database());
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
BENCHMARK_CAPTURE(serverOrders, all_first, HistoryFilter::all(), 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(serverOrders, all_middle, HistoryFilter::all(), 2500)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(serverOrders, all_last, HistoryFilter::all(), -1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(serverOrders, dine_in_last, HistoryFilter::dineIn(), -1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(serverOrders, day_last, HistoryFilter::day(midDay), -1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(serverOrders, customer_last, HistoryFilter::customer("13810000007"), -1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(serverOrders, dine_in_middle, HistoryFilter::dineIn(), 1250)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(serverOrders, period_last, *HistoryFilter::period(midDay, monthEnd), -1)
    ->Unit(benchmark::kMillisecond);
// One till of two, alone and with another filter.
BENCHMARK_CAPTURE(orders, till_middle, HistoryFilter::all().atTill("一号机"), 1666)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(orders, till_period_last,
                  HistoryFilter::period(midDay, monthEnd)->atTill("二号机"), -1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(serverOrders, till_middle, HistoryFilter::all().atTill("一号机"), 1666)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(serverOrders, till_period_last,
                  HistoryFilter::period(midDay, monthEnd)->atTill("二号机"), -1)
    ->Unit(benchmark::kMillisecond);

// The tills the history's filter offers.
void tills(benchmark::State& state, Database* (*open)()) {
    Database* db = open();
    if (!db)
        return state.SkipWithError("TABLEWISE_TEST_SERVER is not set");
    for (auto _ : state)
        benchmark::DoNotOptimize(TillList::read(*db)->size());
}
BENCHMARK_CAPTURE(tills, file, +[]() -> Database* { return &database(); })
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tills, server, serverDatabase)->Unit(benchmark::kMillisecond);

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

// An order of three lines, stored untimed so that each iteration has one to change.
std::string storeOrder(Database& db) {
    db.begin();
    mustExecute(db, "insert into 存单 (编号,时间,合计,实付,桌号,是否结算) values "
                  "(7,'2026-12-08 12:30:00',82,72,'A3',1)");
    const std::string id = std::to_string(db.lastInsertId());
    for (const char* dish : {"红烧排骨饭", "香菇猪肉水饺", "西红柿炒蛋"})
        mustExecute(db, "insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) values (" + id +
                      ",'2026-12-08 12:30:00','" + dish + "',2,'份',24)");
    db.commit();
    return id;
}

// What a run adds to the kept database is taken away again afterwards.
class CleanUp {
  public:
    explicit CleanUp(Database& db) : m_db(db), m_firstRecord(lastRecord() + 1) {}
    ~CleanUp() {
        mustExecute(m_db, "delete from 操作记录 where ID >=" + std::to_string(m_firstRecord));
        for (const std::string& id : orders) {
            mustExecute(m_db, "delete from 存单详单 where 存单ID =" + id);
            mustExecute(m_db, "delete from 存单 where ID =" + id);
        }
    }
    std::vector<std::string> orders;

  private:
    long long lastRecord() {
        const int handle = m_db.OpenTable("select max(ID) as last from 操作记录");
        const long long last = m_db.IsEOF(handle) ? 0 : m_db.ReadColByName(handle, "last").toInt();
        m_db.CloseTable(handle);
        return last;
    }
    Database& m_db;
    long long m_firstRecord;
};

// The deletion as the history window makes it, record and all.
bool deleteWithRecord(Database& db, const std::string& id) {
    return StoredOrders(db).deleteOrder(id);
}
// The same statements and commit without the record, to compare with.
bool deleteWithoutRecord(Database& db, const std::string& id) {
    DbTransaction transaction(db);
    return StoredOrders(db).loadOrder(id) &&
           db.ExecuteSql("Delete * from 存单详单 where 存单ID=" + id) &&
           db.ExecuteSql("Delete * from 存单 where ID=" + id) && transaction.commit();
}

void deletion(benchmark::State& state, bool (*remove)(Database&, const std::string&)) {
    Database& db = orderLinesDatabase();
    CleanUp cleanUp(db);
    for (auto _ : state) {
        state.PauseTiming();
        const std::string id = storeOrder(db);
        state.ResumeTiming();
        if (!remove(db, id))
            state.SkipWithError("not deleted");
    }
}

// The record's own work inside a transaction: reading the order as it is
// (twice for an edit, before and after) and inserting the record. The
// transaction is rolled back untimed, so the record is measured alone.
void record_alone(benchmark::State& state, ChangeLog::Kind kind) {
    Database& db = orderLinesDatabase();
    CleanUp cleanUp(db);
    const std::string id = storeOrder(db);
    cleanUp.orders.push_back(id);
    const bool edit = kind == ChangeLog::Kind::Edit;
    for (auto _ : state) {
        {
            DbTransaction transaction(db);
            const StoredOrders orders(db);
            const std::string before = orders.recordText(id).value_or("");
            const std::string after = edit ? orders.recordText(id).value_or("") : std::string();
            if (!ChangeLog(db).write({kind, id, "7", before, after}))
                state.SkipWithError("not recorded");
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}

// Saving an edited order of three lines, record and all.
void edit_with_record(benchmark::State& state) {
    Database& db = orderLinesDatabase();
    CleanUp cleanUp(db);
    OrderDraft draft = threeDishOrder();
    draft.orderId = storeOrder(db);
    draft.number = "7";
    cleanUp.orders.push_back(draft.orderId);
    int edits = 0;
    for (auto _ : state) {
        draft.table = ++edits % 2 ? "B2" : "A3";
        if (OrderEditor(db).saveEditedOrder(draft).outcome != OrderEditor::Outcome::Saved)
            state.SkipWithError("not saved");
    }
}

BENCHMARK_CAPTURE(deletion, with_record, deleteWithRecord)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(deletion, without_record, deleteWithoutRecord)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(record_alone, deletion, ChangeLog::Kind::Deletion)->Unit(benchmark::kMillisecond);
BENCHMARK(edit_with_record)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(record_alone, edit, ChangeLog::Kind::Edit)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
