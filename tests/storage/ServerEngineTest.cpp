// What only a server can get wrong: tills that start together, a connection
// that cannot be made, a transaction the server has already given up.
#include "storage/engine/Database.h"
#include "storage/engine/StorageStartup.h"
#include "storage/schema/Schema.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <libpq-fe.h>
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

TEST_F(ServerEngine, AServerOfALaterVersionIsRefusedAndLeftAsItWas) {
    EXPECT_EQ(scalar("select max(版本) from 数据库版本"), std::to_string(Schema::version));
    execute("update 数据库版本 set 版本 = 99");
    execute("insert into 单位 (单位名称) values ('斤')");
    Database till;
    EXPECT_FALSE(till.openServer(server->connection()));
    EXPECT_EQ(till.lastFailure(), StorageFailure::LaterVersion);
    EXPECT_NE(till.lastError().find("数据版本 99"), std::string::npos) << till.lastError();
    EXPECT_NE(till.lastError().find("数据版本 " + std::to_string(Schema::version)),
              std::string::npos);
    EXPECT_EQ(scalar("select max(版本) from 数据库版本"), "99");
    EXPECT_EQ(count("select count(*) from 单位 where 单位名称='斤'"), 1);
}

TEST_F(ServerEngine, AnOlderDatabaseGainsTheTillColumns) {
    addOrder({});
    for (const char* table : {"存单", "操作记录"})
        execute(std::string("alter table ") + table + " drop column 收银台");
    Database till;
    ASSERT_TRUE(till.openServer(server->connection())) << till.lastError();
    const int handle = till.OpenTable("select 收银台 from 存单");
    ASSERT_NE(handle, 0) << till.lastError();
    EXPECT_EQ(till.ReadColByIndex(handle, 1).toText(), "");
    EXPECT_TRUE(till.ExecuteSql("insert into 操作记录 (操作,收银台) values ('删除订单','后厨')"))
        << till.lastError();
}

TEST_F(ServerEngine, AServerOfTheVersionBeforeGainsTheTillIndexes) {
    for (const char* statement :
         {"DROP INDEX \"存单_收银台\"", "DROP INDEX \"存单详单_销售时间\"",
          "CREATE INDEX \"存单详单_销售时间\" ON \"存单详单\" (\"销售时间\",\"菜名\",\"小计\")"})
        ASSERT_TRUE(db.executeOwn(statement)) << db.lastError();
    execute("update 数据库版本 set 版本 = 8");
    Database till;
    ASSERT_TRUE(till.openServer(server->connection())) << till.lastError();
    const auto found = till.readOwn("select indexdef from pg_indexes where indexname in "
                                    "('存单_收银台','存单详单_销售时间') order by indexname");
    ASSERT_TRUE(found) << found.error();
    ASSERT_EQ(found->size(), 2u);
    EXPECT_NE((*found)[0].at(0).toText().find("收银台"), std::string::npos);
    EXPECT_NE((*found)[1].at(0).toText().find("存单ID"), std::string::npos);
    EXPECT_EQ(scalar("select max(版本) from 数据库版本"), std::to_string(Schema::version));
}

// A user the server lets in but gives no right to create the tables.
TEST_F(ServerEngine, AUserWithoutTheRightIsToldSo) {
    ServerDatabase empty;
    PGconn* admin = PQconnectdb(ServerDatabase::server().c_str());
    PQclear(PQexec(admin, "DO $$BEGIN CREATE ROLE tw_clerk LOGIN; EXCEPTION WHEN "
                          "duplicate_object THEN NULL; END$$"));
    PQfinish(admin);
    Database till;
    const std::string connection = empty.connection() + " user=tw_clerk";
    EXPECT_FALSE(StorageStartup::openServer(till, connection));
    const std::string told = StorageStartup::serverFailureMessage(till, connection);
    EXPECT_NE(told.find("没有使用这个数据库的权限"), std::string::npos) << told;
}
