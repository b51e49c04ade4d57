// The sums kept per day against sums over the rows, after every step of a
// random run of settlements, edits, deletions, statements over many rows,
// imports and restores, on both engines, with tills storing at once on the
// server.
#include "storage/config/ProgramFolder.h"
#include "storage/copies/DatabaseCopy.h"
#include "storage/copies/DatabaseRestore.h"
#include "storage/copies/LocalDataImport.h"
#include "storage/engine/KeptSumsCheck.h"
#include "storage/engine/StorageStartup.h"
#include "storage/schema/KeptSums.h"
#include "storage/values/Money.h"
#include "storage/values/Values.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>

#include <sys/wait.h>
#include <unistd.h>

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
        const auto rows = fromRows(db);
        ASSERT_EQ(kept(db), rows) << "after " << step;
        const auto keys = [&rows](const char* table) {
            return rows.count(table) ? rows.at(table).size() : 0;
        };
        m_mostDays = std::max(m_mostDays, keys(KeptSums::days));
        m_mostDishes = std::max(m_mostDishes, keys(KeptSums::dishes));
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
    // A till's file of orders of its own takes the place of every order.
    void import() {
        TempFolder till;
        const std::string file = till.file("data/data.mdb");
        {
            Database tillDb;
            ASSERT_TRUE(StorageStartup::openDatabase(tillDb, file)) << tillDb.lastError();
            ASSERT_TRUE(tillDb.begin());
            for (int i = 0; i < 20; ++i)
                m_lastId = std::max(m_lastId, storeOrder(tillDb, m_random));
            ASSERT_TRUE(tillDb.commit()) << tillDb.lastError();
        }
        execute("delete from 存单详单");
        execute("delete from 存单");
        LocalDataImport import(db);
        ASSERT_TRUE(import.run(file, {})) << import.problem();
        ++m_imports;
    }
    // Now and then the file is copied; a restore puts the latest copy back.
    void copyOrRestore() {
        if (db.isServer())
            return;
        const std::string copy = folder.file("kept-copy.mdb");
        if (m_random() % 2 == 0 || !std::filesystem::exists(copy)) {
            DatabaseCopy taking(db.connection(), copy);
            ASSERT_EQ(taking.runToEnd(), DatabaseCopy::State::Done) << taking.problem();
            return;
        }
        DatabaseRestore restore(db, ProgramFolder::databasePath());
        ASSERT_TRUE(restore.stage(copy).sound);
        const std::string replaced = folder.file("replaced.mdb");
        ASSERT_TRUE(restore.swap(replaced)) << restore.problem();
        std::filesystem::remove(replaced);
        ++m_restores;
    }

    std::mt19937 m_random{20231204};
    long long m_lastId = 0;
    int m_imports = 0;
    int m_restores = 0;
    std::size_t m_mostDays = 0;
    std::size_t m_mostDishes = 0;
};

INSTANTIATE_TEST_SUITE_P(Engines, KeptSumsTest, bothEngines, engineName);

TEST_P(KeptSumsTest, EveryChangeOfTheOrdersKeepsTheSumsAsTheRowsAddUp) {
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"a settlement", [&] { settle(); }},     {"a settlement", [&] { settle(); }},
        {"a settlement", [&] { settle(); }},     {"an edit", [&] { edit(); }},
        {"a deletion", [&] { remove(); }},       {"a statement over many rows", [&] { many(); }},
        {"a transaction given up", [&] { givenUp(); }},
    };
    // Far rarer, as in a shop: each replaces many orders at once.
    const std::vector<std::pair<const char*, std::function<void()>>> rareSteps = {
        {"an import", [&] { import(); }},
        {"a copy or a restore", [&] { copyOrRestore(); }},
    };
    for (int i = 0; i < 1500; ++i) {
        const auto& [name, step] = m_random() % 40 == 0 ? rareSteps[m_random() % rareSteps.size()]
                                                         : steps[m_random() % steps.size()];
        step();
        expectKeptAsTheRows(name + std::string(" (step ") + std::to_string(i) + ")");
    }
    EXPECT_GT(m_imports, 5);
    if (GetParam() == Engine::Sqlite)
        EXPECT_GT(m_restores, 3);
    EXPECT_EQ(m_mostDays, 6u);
    EXPECT_GT(m_mostDishes, 12u);
}

// Each till a process of its own with its own link to the server.
TEST_P(KeptSumsTest, TillsStoringAtOnceLoseNoneOfEachOthersSums) {
    if (GetParam() != Engine::Server)
        GTEST_SKIP() << "one file has one writer at a time";
    std::vector<pid_t> tills;
    for (unsigned till = 0; till < 4; ++till) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid > 0) {
            tills.push_back(pid);
            continue;
        }
        Database link;
        bool stored = link.openServer(server->connection());
        std::mt19937 random(till);
        for (int order = 0; stored && order < 100; ++order)
            stored = storeOrder(link, random) > 0 && !HasFailure();
        _exit(stored ? 0 : 1);
    }
    for (const pid_t till : tills) {
        int status = 0;
        ASSERT_EQ(waitpid(till, &status, 0), till);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a till failed to store";
    }
    EXPECT_EQ(count("select count(*) from 存单"), 400);
    expectKeptAsTheRows("four tills storing at once");
}

TEST_P(KeptSumsTest, TheCheckFindsSumsThatDifferAndAddsThemUpAgain) {
    for (int i = 0; i < 50; ++i)
        settle();
    std::string said;
    ASSERT_TRUE(KeptSumsCheck(db).checkAndRepair(said));
    EXPECT_EQ(said, "汇总数据与订单一致。");
    // Each day and each dish's day that differs is one difference.
    const int damaged = count(std::string("select count(*) from ") + KeptSums::days) +
                        count(std::string("select count(*) from ") + KeptSums::dishes +
                              " where 菜名='酸菜鱼'");
    ASSERT_TRUE(db.executeOwn(std::string("UPDATE ") + KeptSums::days + " SET 实付=实付+1"));
    ASSERT_TRUE(db.executeOwn(std::string("DELETE FROM ") + KeptSums::dishes +
                              " WHERE 菜名='酸菜鱼'"));
    const auto found = KeptSumsCheck(db).differences();
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, damaged);
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
