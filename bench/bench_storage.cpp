// Statements in the Access dialect through Database, each beside the same
// work written directly against SQLite, on 100,000 orders and 250,000 lines.
#include "MustExecute.h"
#include "ServerBench.h"
#include "orders/Settlement.h"
#include "storage/engine/Database.h"
#include "support/DirectInsert.h"
#include "support/SampleOrders.h"
#include "support/TestDatabase.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int orderCount = 100000;
constexpr int lineCount = 250000;

struct Fixture {
    TestDatabase data;
    Database& db = data.db;
    sqlite3* direct = db.connection(); // the same connection, used without translation

    Fixture() { fill(); }

    void fill() {
        db.begin();
        DirectInsert order(direct, "insert into 存单 "
                                   "(编号,票头,店铺名称,时间,减免,减免份数,减免金额,合计,支付方式,"
                                   "已付,实付,桌号,电话,姓名,地址,是否结算,备注) values "
                                   "(?,'微信点餐','白云快餐',?,'',0,0,?,'现金支付',?,?,"
                                   "'号牌 1','','','',1,'')");
        for (int i = 0; i < orderCount; ++i) {
            char time[32];
            std::snprintf(time, sizeof time, "%04d-%02d-%02d %02d:%02d:00", 2015 + i / 20000,
                          1 + (i / 1667) % 12, 1 + i % 28, 9 + i % 12, i % 60);
            order.bind(1, 1 + i % 100)
                .bind(2, std::string(time))
                .bind(3, 20.5 + i % 50)
                .bind(4, 20 + i % 50)
                .bind(5, 20 + i % 50)
                .insert();
        }
        DirectInsert line(direct, "insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) "
                                  "select ?,时间,'红烧排骨饭',1,'份',18 from 存单 where ID=?");
        for (int i = 0; i < lineCount; ++i) {
            const int id = 1 + i * 2 / 5;
            line.bind(1, id).bind(2, id).insert();
        }
        db.commit();
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

// Runs a select directly and reads the given columns of every row.
void readDirect(sqlite3* db, const std::string& sql, const std::vector<int>& columns) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW)
        for (int c : columns) {
            if (sqlite3_column_type(statement, c) == SQLITE_TEXT)
                benchmark::DoNotOptimize(
                    std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, c))));
            else
                benchmark::DoNotOptimize(sqlite3_column_double(statement, c));
        }
    sqlite3_finalize(statement);
}

void readTranslated(Database& db, const std::string& sql, const std::vector<std::string>& names) {
    int handle = db.OpenTable(sql);
    for (; !db.IsEOF(handle); db.MoveNext(handle))
        for (const std::string& name : names)
            benchmark::DoNotOptimize(db.ReadColByName(handle, name));
    db.CloseTable(handle);
}

void readTranslatedByPosition(Database& db, const std::string& sql, int columns) {
    int handle = db.OpenTable(sql);
    for (; !db.IsEOF(handle); db.MoveNext(handle))
        for (int c = 1; c <= columns; ++c)
            benchmark::DoNotOptimize(db.ReadColByIndex(handle, c));
    db.CloseTable(handle);
}

const std::vector<std::string> pageColumns = {"ID",   "编号", "时间", "合计", "实付",
                                              "桌号", "电话", "姓名", "地址"};

void BM_HistoryPage_Translated(benchmark::State& state) {
    Fixture& f = fixture();
    const std::string sql =
        "select top 200 * from (select top 50000 * from 存单 order by [id])order by [id] desc";
    for (auto _ : state)
        readTranslated(f.db, sql, pageColumns);
}

void BM_HistoryPage_Direct(benchmark::State& state) {
    Fixture& f = fixture();
    const std::string sql =
        "select * from (select * from 存单 order by ID LIMIT 50000) order by ID desc LIMIT 200";
    for (auto _ : state)
        readDirect(f.direct, sql, {0, 1, 4, 8, 11, 12, 13, 14, 15});
}

void BM_YearGrouping_Translated(benchmark::State& state) {
    Fixture& f = fixture();
    const std::string sql = "select count(*),format(时间,'yyyy-mm'),sum(实付) from 存单 where "
                            "format(时间,'yyyy')='2017'  group by format(时间,'yyyy-mm')";
    for (auto _ : state)
        readTranslatedByPosition(f.db, sql, 3);
}

// The year grouping written directly, with the year matched by `yearTest`.
void directYearGrouping(benchmark::State& state, const std::string& yearTest) {
    Fixture& f = fixture();
    const std::string sql = "select count(*),substr(时间,1,7),sum(实付) from 存单 where " +
                            yearTest + " group by substr(时间,1,7)";
    for (auto _ : state)
        readDirect(f.direct, sql, {0, 1, 2});
}

// What the translation gives: the year as a range on the indexed column.
void BM_YearGrouping_Direct(benchmark::State& state) {
    directYearGrouping(state, "(时间>='2017-' and 时间<'2017-~')");
}

// The same grouping with the year matched on the text of every row.
void BM_YearGrouping_DirectScan(benchmark::State& state) {
    directYearGrouping(state, "substr(时间,1,4)='2017'");
}

std::vector<std::string> insertBatch(bool jet) {
    std::vector<std::string> statements;
    for (int i = 0; i < 1000; ++i) {
        char time[40];
        if (jet)
            std::snprintf(time, sizeof time, "2019/%d/%d %d:%d", 1 + i % 12, 1 + i % 28, 9 + i % 12,
                          i % 60);
        else
            std::snprintf(time, sizeof time, "2019-%02d-%02d %02d:%02d:00", 1 + i % 12, 1 + i % 28,
                          9 + i % 12, i % 60);
        std::string t = time, n = std::to_string(i + 1), money = std::to_string(20 + i % 50);
        statements.push_back("insert into 存单 "
                             "(编号,票头,店铺名称,时间,减免,减免份数,减免金额,合计,支付方式,已付,"
                             "实付,桌号,电话,姓名,"
                             "地址,是否结算,备注) values (" +
                             n + ",'微信点餐','白云快餐','" + t + "','',0,0," + money +
                             ".5,'现金支付'," + money + "," + money + ",'号牌 1','','',''," +
                             (jet ? "'1'" : "1") + ",'')");
    }
    return statements;
}

void BM_InsertBatch_Translated(benchmark::State& state) {
    Fixture& f = fixture();
    const std::vector<std::string> batch = insertBatch(true);
    for (auto _ : state) {
        f.db.begin();
        for (const std::string& sql : batch)
            mustExecute(f.db, sql);
        f.db.rollback();
    }
}

void BM_InsertBatch_Direct(benchmark::State& state) {
    Fixture& f = fixture();
    const std::vector<std::string> batch = insertBatch(false);
    for (auto _ : state) {
        sqlite3_exec(f.direct, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (const std::string& sql : batch) {
            sqlite3_stmt* statement = nullptr;
            sqlite3_prepare_v2(f.direct, sql.c_str(), static_cast<int>(sql.size()), &statement,
                               nullptr);
            sqlite3_step(statement);
            sqlite3_finalize(statement);
        }
        sqlite3_exec(f.direct, "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

// The same 100,000 orders and 250,000 lines on the server.
const char* const serverFill = R"SQL(
INSERT INTO "存单" ("编号","票头","店铺名称","时间","减免","减免份数","减免金额","合计","支付方式",
                    "已付","实付","桌号","电话","姓名","地址","是否结算","备注")
SELECT 1 + i % 100, '微信点餐', '白云快餐',
       format('%s-%s-%s %s:%s:00', 2015 + i / 20000, lpad((1 + i / 1667 % 12)::text, 2, '0'),
              lpad((1 + i % 28)::text, 2, '0'), lpad((9 + i % 12)::text, 2, '0'),
              lpad((i % 60)::text, 2, '0')),
       '', 0, 0, 20.5 + i % 50, '现金支付', 20 + i % 50, 20 + i % 50, '号牌 1', '', '', '', 1, ''
FROM generate_series(0, 99999) i;
INSERT INTO "存单详单" ("存单ID","销售时间","菜名","数量","单位","小计")
SELECT o.id, o."时间", '红烧排骨饭', 1, '份', 18
FROM generate_series(0, 249999) i JOIN "存单" o ON o.id = 1 + i * 2 / 5
)SQL";

// One settlement of three dishes for a returning customer, at 100,000 orders.
void BM_Settlement(benchmark::State& state, bool server) {
    Database* db =
        server ? keptServerDatabase("tablewise_bench_storage", serverFill) : &fixture().db;
    if (!db)
        return state.SkipWithError("TABLEWISE_TEST_SERVER is not set");
    FixedClock clock(DateTime{2026, 12, 8, 12, 0, 0});
    Settlement settlement(*db, clock);
    const OrderDraft order = threeDishOrder();
    for (auto _ : state)
        if (settlement.store(order).outcome != Settlement::Outcome::Done)
            state.SkipWithError(db->lastError().c_str());
}

} // namespace

BENCHMARK_CAPTURE(BM_Settlement, sqlite, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Settlement, server, true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryPage_Translated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryPage_Direct)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearGrouping_Translated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearGrouping_Direct)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearGrouping_DirectScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertBatch_Translated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertBatch_Direct)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
