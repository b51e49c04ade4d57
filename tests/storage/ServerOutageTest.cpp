// A server that restarts, goes down or freezes in the middle of a shift, on
// a cluster of the test's own: the till notices, gives up within its time
// limits, stores all of a transaction or none of it, and carries on once
// the server is back, without being opened again.
#include "storage/engine/Database.h"
#include "support/ThrowawayCluster.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using Steady = std::chrono::steady_clock;

double secondsSince(Steady::time_point start) {
    return std::chrono::duration<double>(Steady::now() - start).count();
}

class ServerOutage : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!cluster.started())
            GTEST_SKIP() << "no PostgreSQL cluster could be started";
        ASSERT_TRUE(till.openServer(cluster.connection())) << till.lastError();
    }

    bool addOrder(int number) {
        return till.ExecuteSql("insert into 存单 (编号,时间) values (" + std::to_string(number) +
                               ",'2026-05-15 12:00')");
    }
    bool addLine(int number) {
        return till.ExecuteSql("insert into 存单详单 (存单ID,菜名) values (" +
                               std::to_string(number) + ",'酸菜鱼')");
    }
    bool settle(int number) {
        return till.begin() && addOrder(number) && addLine(number) && till.commit();
    }
    // What is stored: the numbers of the orders and of their lines.
    std::string stored() {
        std::string text;
        for (const char* sql : {"select 编号 from 存单 order by 编号",
                                "select 存单ID from 存单详单 order by 存单ID"}) {
            const int handle = till.OpenTable(sql);
            EXPECT_NE(handle, 0) << till.lastError();
            for (; !till.IsEOF(handle); till.MoveNext(handle))
                text += till.ReadColByIndex(handle, 1).toText() + ",";
            till.CloseTable(handle);
            text += "|";
        }
        return text;
    }

    ThrowawayCluster cluster;
    Database till;
};

} // namespace

TEST_F(ServerOutage, ATillCarriesOnAfterTheServerRestarts) {
    ASSERT_TRUE(settle(1)) << till.lastError();
    // Between settlements: the next one goes through as if nothing happened.
    cluster.halt();
    cluster.resume();
    EXPECT_TRUE(settle(2)) << till.lastError();
    // During one: its first row is not stored without the rest.
    ASSERT_TRUE(till.begin());
    ASSERT_TRUE(addOrder(3));
    cluster.halt();
    const Steady::time_point start = Steady::now();
    EXPECT_FALSE(addLine(3));
    EXPECT_EQ(till.lastFailure(), StorageFailure::Unreachable);
    EXPECT_FALSE(till.commit());
    EXPECT_EQ(till.lastFailure(), StorageFailure::Unreachable) << till.lastError();
    EXPECT_NE(till.lastError().find("数据库服务器 127.0.0.1:"), std::string::npos)
        << till.lastError();
    till.rollback();
    EXPECT_LT(secondsSince(start), 2.0);
    // While it is down every action says so at once; then the till goes on.
    EXPECT_FALSE(settle(3));
    EXPECT_EQ(till.lastFailure(), StorageFailure::Unreachable);
    till.rollback();
    cluster.resume();
    std::this_thread::sleep_for(std::chrono::seconds(3));
    EXPECT_TRUE(settle(3)) << till.lastError();
    EXPECT_EQ(stored(), "1,2,3,|1,2,3,|");
}

TEST_F(ServerOutage, AFrozenServerIsGivenUpOnWithinTheLimit) {
    ASSERT_TRUE(settle(1)) << till.lastError();
    cluster.freeze();
    Steady::time_point start = Steady::now();
    EXPECT_FALSE(settle(2));
    EXPECT_EQ(till.lastFailure(), StorageFailure::Unreachable);
    EXPECT_NE(till.lastError().find("127.0.0.1:"), std::string::npos) << till.lastError();
    till.rollback();
    // One more look in the same action (the counters after a failure) adds
    // one short attempt to reconnect, and no more.
    EXPECT_EQ(till.OpenTable("select count(*) from 存单"), 0);
    EXPECT_EQ(till.OpenTable("select count(*) from 存单"), 0);
    EXPECT_LT(secondsSince(start), 15.0);
    // A till starting meanwhile makes one attempt with one limit, whatever
    // form its connection text has.
    const std::string port = cluster.port();
    for (const std::string& text :
         {cluster.connection() + " connect_timeout=0",
          "postgresql://postgres@127.0.0.1:" + port + "/postgres?connect_timeout=0",
          "host=127.0.0.1,127.0.0.1 port=" + port + "," + port + " user=postgres"}) {
        Database starting;
        start = Steady::now();
        EXPECT_FALSE(starting.openServer(text));
        EXPECT_LT(secondsSince(start), 12.0) << text;
        EXPECT_NE(starting.lastError().find("等待服务器回应超时"), std::string::npos)
            << starting.lastError();
    }
    cluster.thaw();
    std::this_thread::sleep_for(std::chrono::seconds(3));
    EXPECT_TRUE(settle(2)) << till.lastError();

    // Frozen with the COMMIT on its way: the till cannot know whether it was
    // stored, says so, and the order is found once the server is back.
    ASSERT_TRUE(till.begin());
    ASSERT_TRUE(addOrder(3) && addLine(3));
    cluster.freeze();
    start = Steady::now();
    EXPECT_FALSE(till.commit());
    EXPECT_EQ(till.lastFailure(), StorageFailure::Unconfirmed) << till.lastError();
    EXPECT_LT(secondsSince(start), 15.0);
    till.rollback();
    cluster.thaw();
    std::string found;
    for (int tries = 0; tries < 20 && found != "1,2,3,|1,2,3,|"; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        found = stored();
    }
    EXPECT_EQ(found, "1,2,3,|1,2,3,|");
}
