// What only a server can get wrong: tills that start together, a connection
// that cannot be made, a transaction the server has already given up.
#include "storage/engine/Database.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

class ServerEngine : public ::testing::Test, public TestDatabase {
  protected:
    ServerEngine()
        : TestDatabase(Start::Template, DateTime{2026, 5, 15, 12, 0, 0}, Engine::Server) {}

    void SetUp() override {
        if (serverMissing())
            GTEST_SKIP() << "TABLEWISE_TEST_SERVER is not set";
    }
};

} // namespace

TEST_F(ServerEngine, TillsStartingTogetherSeedTheDatabaseOnce) {
    ServerDatabase empty;
    std::vector<std::thread> tills;
    std::atomic<int> opened{0};
    for (int i = 0; i < 4; ++i)
        tills.emplace_back([&] {
            Database till;
            opened += till.openServer(empty.connection()) ? 1 : 0;
        });
    for (std::thread& till : tills)
        till.join();
    EXPECT_EQ(opened, 4);
    Database reader;
    ASSERT_TRUE(reader.openServer(empty.connection())) << reader.lastError();
    const int handle = reader.OpenTable("select count(*) from 菜单");
    EXPECT_EQ(reader.ReadColByIndex(handle, 1).toInt(), 28);
}

TEST_F(ServerEngine, ANamedServerThatCannotBeReachedIsNamed) {
    Database till;
    EXPECT_FALSE(till.openServer("host=127.0.0.1 port=1 connect_timeout=2"));
    EXPECT_EQ(till.lastFailure(), StorageFailure::NotOpen);
    EXPECT_NE(till.lastError().find("127.0.0.1:1"), std::string::npos) << till.lastError();
    EXPECT_FALSE(till.isOpen());
}

TEST_F(ServerEngine, RowsCopiedWithTheirNumbersAreNumberedPast) {
    execute("insert into 单位 (ID,单位名称) values (40,'斤')");
    execute("insert into 单位 (单位名称) values ('两')");
    EXPECT_EQ(db.lastInsertId(), 41);
}

TEST_F(ServerEngine, ATransactionWithAFailedStatementStoresNothing) {
    ASSERT_TRUE(db.begin());
    EXPECT_TRUE(db.ExecuteSql("insert into 单位 (单位名称) values ('斤')"));
    EXPECT_FALSE(db.ExecuteSql("insert into 单位 (单位名称) values ('超过八个字的单位名称')"));
    EXPECT_EQ(db.lastFailure(), StorageFailure::Statement);
    EXPECT_FALSE(db.commit());
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(count("select count(*) from 单位 where 单位名称='斤'"), 0);
}

TEST_F(ServerEngine, ColumnsReadBackAsOnSqlite) {
    const long long id =
        addOrder({.time = "2017/5/15 3:7", .total = "12.345678912", .paid = "12.5"});
    EXPECT_GT(id, 0);
    const Row row = rows("select * from 存单 where ID=" + std::to_string(id),
                         {"时间", "合计", "实付", "是否结算", "备注"})[0];
    EXPECT_EQ(row, (Row{{"时间", "2017年5月15日3时7分"},
                        {"合计", "12.35"},
                        {"实付", "12.5"},
                        {"是否结算", "真"},
                        {"备注", ""}}));
    EXPECT_EQ(scalar("select format(时间,'yyyy年m月d日 hh:nn') from 存单"), "2017年5月15日 03:07");
    EXPECT_EQ(count("select count(*) from 存单 where 电话='a\\b'"), 0);
}
