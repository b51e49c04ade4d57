// The sums kept per day against sums over the rows, after every step of a
// random run of settlements, edits, deletions and statements over many rows,
// on both engines, with tills storing at once on the server.
#include "storage/config/ProgramFolder.h"
#include "storage/engine/KeptSumsCheck.h"
#include "storage/engine/StorageStartup.h"
#include "storage/schema/KeptSums.h"
#include "storage/values/Money.h"
#include "storage/values/Values.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <thread>

namespace {

using Sums = std::map<std::string, std::vector<long long>>;
using Values::sqlQuote;

long long fenOf(const DbValue& value) {
    return Money::fromYuan(value.toNumber()).fen();
}

std::string dayOf(const DbValue& time) {
    return time.isEmpty() ? std::string() : time.toDateTime().canonical().substr(0, 10);
}

void add(Sums& sums, const std::string& key, const std::vector<long long>& values) {
    std::vector<long long>& kept = sums[key];
    kept.resize(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        kept[i] += values[i];
}

// Every kept table as the rows give it, added up here and not by the engine.
std::map<std::string, Sums> fromRows(Database& db) {
    std::map<std::string, Sums> sums;
    const auto orders = db.read("select 时间,合计,减免金额,实付,支付方式,桌号,地址 from 存单");
    EXPECT_TRUE(orders) << db.lastError();
    for (const Rows::Row& r : *orders) {
        const std::string day = dayOf(r.at(0));
        const long long total = fenOf(r.at(1)), paid = fenOf(r.at(3));
        const bool dineIn = !r.at(5).toText().empty(), takeOut = !r.at(6).toText().empty();
        add(sums[KeptSums::days], day,
            {1, total, fenOf(r.at(2)), paid, dineIn, dineIn * total, dineIn * paid, takeOut,
             takeOut * total, takeOut * paid});
        add(sums[KeptSums::payments], day + "|" + r.at(4).toText(), {1, paid});
    }
    const auto lines = db.read("select 销售时间,菜名,数量,小计 from 存单详单");
    EXPECT_TRUE(lines) << db.lastError();
    for (const Rows::Row& r : *lines)
        add(sums[KeptSums::dishes], dayOf(r.at(0)) + "|" + r.at(1).toText(),
            {1, static_cast<long long>(r.at(2).toNumber()), fenOf(r.at(3))});
    return sums;
}

// Every kept table as the database keeps it, rows back at zero left out.
std::map<std::string, Sums> kept(Database& db) {
    std::map<std::string, Sums> sums;
    for (const TableDef& table : KeptSums::tables()) {
        const auto rows = db.readOwn("SELECT * FROM " + table.name);
        EXPECT_TRUE(rows) << db.lastError();
        const int keys = table.name == KeptSums::days ? 1 : 2;
        for (const Rows::Row& r : *rows) {
            std::string key = r.at(0).toText() + (keys == 2 ? "|" + r.at(1).toText() : "");
            std::vector<long long> values;
            bool zero = true;
            for (int i = keys; i < static_cast<int>(table.columns.size()); ++i) {
                values.push_back(static_cast<long long>(r.at(i).toNumber()));
                zero = zero && values.back() == 0;
            }
            if (!zero)
                sums[table.name][key] = values;
        }
    }
    return sums;
}

std::string timeFrom(std::mt19937& random) {
    // Midnight itself now and then: it belongs to the day it starts.
    const int day = 1 + static_cast<int>(random() % 6);
    const int hour = random() % 4 == 0 ? 0 : static_cast<int>(random() % 24);
    const int minute = hour == 0 ? 0 : static_cast<int>(random() % 60);
    char text[32];
    std::snprintf(text, sizeof text, "2023-%02d-%02d %02d:%02d:00", 1 + day % 2, day, hour, minute);
    return text;
}

std::string amountFrom(std::mt19937& random) {
    return Money::fromFen(static_cast<long long>(random() % 20000) - 500).text();
}

template <std::size_t N> std::string pick(std::mt19937& random, const char* const (&choices)[N]) {
    return choices[random() % N];
}

void storeLine(Database& till, std::mt19937& random, long long id, const std::string& time) {
    static const char* const dishes[] = {"酸菜鱼", "老王's 水饺", "茄子豆角", "王老吉"};
    ASSERT_TRUE(till.ExecuteSql("insert into 存单详单 (存单ID,销售时间,菜名,数量,小计) values (" +
                                std::to_string(id) + "," + sqlQuote(time) + "," +
                                sqlQuote(pick(random, dishes)) + "," +
                                std::to_string(1 + random() % 3) + "," + amountFrom(random) + ")"))
        << till.lastError();
}

// What a settlement stores: the order and its lines; its ID.
long long storeOrder(Database& till, std::mt19937& random) {
    static const char* const payments[] = {"现金支付", "微信支付", "支付宝"};
    const bool dineIn = random() % 2 == 0;
    const std::string time = timeFrom(random);
    const bool stored = till.ExecuteSql(
        "insert into 存单 (编号,时间,减免金额,合计,支付方式,已付,实付,桌号,地址) values (1," +
        sqlQuote(time) + "," + amountFrom(random) + "," + amountFrom(random) + "," +
        sqlQuote(pick(random, payments)) + ",0," + amountFrom(random) + "," +
        sqlQuote(dineIn ? "号牌 3" : "") + "," + sqlQuote(dineIn ? "" : "人民路 88 号") + ")");
    EXPECT_TRUE(stored) << till.lastError();
    const long long id = till.lastInsertId();
    for (int line = static_cast<int>(random() % 4); line > 0; --line)
        storeLine(till, random, id, random() % 5 == 0 ? timeFrom(random) : time);
    return id;
}

class KeptSumsTest : public OnBothEngines, public TestDatabase {
  protected:
    KeptSumsTest() : TestDatabase(GetParam(), Start::Template) {}

    void expectKeptAsTheRows(const std::string& step) {
        ASSERT_EQ(kept(db), fromRows(db)) << "after " << step;
        const auto differences = KeptSumsCheck(db).differences();
        ASSERT_TRUE(differences) << db.lastError();
        ASSERT_EQ(*differences, 0) << "after " << step;
    }

    std::string randomTime() { return timeFrom(m_random); }
    std::string randomAmount() { return amountFrom(m_random); }
    long long randomOrder() {
        const auto id = db.readValue("select top 1 ID from 存单 where ID >= " +
                                     std::to_string(m_random() % (m_lastId + 1)) + " order by ID");
        return id && !id->isEmpty() ? static_cast<long long>(id->toNumber()) : 0;
    }

    void settle() { m_lastId = std::max(m_lastId, storeOrder(db, m_random)); }
    // What an edit stores: the order's row again, its lines replaced.
    void edit() {
        const long long id = randomOrder();
        if (id == 0)
            return;
        const std::string time = randomTime();
        execute("update 存单 set 时间=" + sqlQuote(time) + ",合计=" + randomAmount() +
                ",实付=" + randomAmount() + ",支付方式='微信支付',桌号=" +
                sqlQuote(m_random() % 2 ? "" : "号牌 5") + " where ID=" + std::to_string(id));
        execute("delete from 存单详单 where 存单ID=" + std::to_string(id));
        storeLine(db, m_random, id, time);
    }
    void remove() {
        const long long id = randomOrder();
        execute("delete from 存单详单 where 存单ID=" + std::to_string(id));
        execute("delete from 存单 where ID=" + std::to_string(id));
    }
    // One statement over many rows, several of one day among them.
    void many() {
        switch (m_random() % 3) {
        case 0:
            execute("update 存单详单 set 小计=小计+1 where 菜名='酸菜鱼'");
            break;
        case 1:
            execute("update 存单 set 时间=" + sqlQuote(randomTime()) + " where ID > " +
                    std::to_string(m_random() % (m_lastId + 1)));
            break;
        default:
            execute("delete from 存单详单 where 菜名='王老吉' and 数量=2");
        }
    }
    // A transaction given up leaves the sums as they were.
    void givenUp() {
        ASSERT_TRUE(db.begin());
        settle();
        edit();
        db.rollback();
    }

    std::mt19937 m_random{20231204};
    long long m_lastId = 0;
};

INSTANTIATE_TEST_SUITE_P(Engines, KeptSumsTest, bothEngines, engineName);

TEST_P(KeptSumsTest, EveryChangeOfTheOrdersKeepsTheSumsAsTheRowsAddUp) {
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"a settlement", [&] { settle(); }},     {"a settlement", [&] { settle(); }},
        {"a settlement", [&] { settle(); }},     {"an edit", [&] { edit(); }},
        {"a deletion", [&] { remove(); }},       {"a statement over many rows", [&] { many(); }},
        {"a transaction given up", [&] { givenUp(); }},
    };
    for (int i = 0; i < 1500; ++i) {
        const auto& [name, step] = steps[m_random() % steps.size()];
        step();
        expectKeptAsTheRows(name + std::string(" (step ") + std::to_string(i) + ")");
    }
    const auto sums = fromRows(db);
    EXPECT_EQ(sums.at(KeptSums::days).size(), 6u);
    EXPECT_GT(sums.at(KeptSums::dishes).size(), 12u);
}

TEST_P(KeptSumsTest, TillsStoringAtOnceLoseNoneOfEachOthersSums) {
    if (GetParam() != Engine::Server)
        GTEST_SKIP() << "one file has one writer at a time";
    std::vector<std::thread> tills;
    std::vector<std::unique_ptr<Database>> links;
    for (int till = 0; till < 4; ++till) {
        links.push_back(std::make_unique<Database>());
        ASSERT_TRUE(links.back()->openServer(server->connection())) << links.back()->lastError();
    }
    for (std::size_t till = 0; till < links.size(); ++till)
        tills.emplace_back([&link = *links[till], till] {
            std::mt19937 random(static_cast<unsigned>(till));
            for (int order = 0; order < 100; ++order)
                storeOrder(link, random);
        });
    for (std::thread& till : tills)
        till.join();
    expectKeptAsTheRows("four tills storing at once");
}

TEST_P(KeptSumsTest, TheCheckFindsSumsThatDifferAndAddsThemUpAgain) {
    for (int i = 0; i < 50; ++i)
        settle();
    std::string said;
    ASSERT_TRUE(KeptSumsCheck(db).checkAndRepair(said));
    EXPECT_EQ(said, "汇总数据与订单一致。");
    ASSERT_TRUE(db.executeOwn(std::string("UPDATE ") + KeptSums::days + " SET 实付=实付+1"));
    ASSERT_TRUE(db.executeOwn(std::string("DELETE FROM ") + KeptSums::dishes +
                              " WHERE 菜名='酸菜鱼'"));
    const auto found = KeptSumsCheck(db).differences();
    ASSERT_TRUE(found);
    EXPECT_GT(*found, 0);
    ASSERT_TRUE(KeptSumsCheck(db).checkAndRepair(said)) << said;
    EXPECT_EQ(said, "汇总数据有 " + std::to_string(*found) + " 处与订单不符，已按订单重新汇总。");
    expectKeptAsTheRows("the repair");
}

// A database of the version before kept sums: its orders are summed once
// when this program first opens it.
TEST_P(KeptSumsTest, AnEarlierDatabaseHasItsSumsAddedUpOnceAtStart) {
    for (int i = 0; i < 60; ++i)
        settle();
    for (const std::string source : {"存单", "存单详单"})
        for (const char* change : {"_增", "_删", "_改"})
            ASSERT_TRUE(db.executeOwn("DROP TRIGGER 汇总_" + source + change +
                                      (GetParam() == Engine::Server ? " ON " + source : "")));
    for (const TableDef& table : KeptSums::tables())
        ASSERT_TRUE(db.executeOwn("DROP TABLE " + table.name));
    const std::string earlier = "7"; // the kept sums came with version 8
    ASSERT_TRUE(db.executeOwn(GetParam() == Engine::Server
                                  ? "UPDATE \"数据库版本\" SET \"版本\"=" + earlier
                                  : "PRAGMA user_version=" + earlier));
    const std::string file = db.isServer() ? "" : ProgramFolder::databasePath();
    db.close();
    ASSERT_TRUE(file.empty() ? db.openServer(server->connection())
                             : StorageStartup::openDatabase(db, file))
        << db.lastError();
    expectKeptAsTheRows("the first start");
    settle();
    expectKeptAsTheRows("a settlement after it");
}

} // namespace
