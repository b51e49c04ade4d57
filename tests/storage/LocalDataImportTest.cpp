#include "storage/copies/LocalDataImport.h"
#include "storage/engine/StorageStartup.h"
#include "support/ServerDatabase.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// A till's file with orders, lines, a customer, a dish and settings of its own.
class LocalDataImportTest : public ::testing::Test, public TestDatabase {
  protected:
    LocalDataImportTest() {
        const long long id = addOrder({.remark = "It's 门口"});
        addLine(id, "2017-05-15 12:30:00", "鱼香肉丝");
        addLine(id, "2017-05-15 12:31:00", "米饭", "1", "2");
        addOrder({.number = "2"});
        addCustomer("13800000000", "李四", "一号楼");
        execute("insert into 菜单 (代码,菜名,价格,单位) values ('XX','新菜',18.5,'份')");
        execute("update 记录 set 记录信息 = '我的店' where 记录内容 = '店铺名称'");
    }

    // The file's rows land in `target` whole, or not at all.
    void checkImport(Database& target);

    // What the reports and windows read, as text, from either database.
    static std::vector<std::string> contents(Database& from) {
        std::vector<std::string> read;
        for (const char* sql :
             {"select ID,编号,时间,合计,是否结算,备注 from 存单 order by ID",
              "select ID,存单ID,销售时间,菜名,数量,小计 from 存单详单 order by ID",
              "select 电话,姓名,地址 from 客户", "select 代码,菜名,价格 from 菜单 order by ID",
              "select 记录内容,记录信息 from 记录 order by 记录内容",
              "select count(*) from 桌号"}) {
            const int handle = from.OpenTable(sql);
            for (; !from.IsEOF(handle); from.MoveNext(handle))
                for (int i = 1; i <= from.columnCount(handle); ++i)
                    read.push_back(from.ReadColByIndex(handle, i).toText());
            from.CloseTable(handle);
        }
        return read;
    }

    TempFolder other;
};

} // namespace

void LocalDataImportTest::checkImport(Database& target) {
    const std::string path = folder.file("data/data.mdb");
    const std::string before = TempFolder::read(path);
    const std::vector<std::string> empty = contents(target);
    LocalDataImport import(target);
    TempFolder::write(other.file("broken.mdb"), "not a database");
    EXPECT_FALSE(import.run(other.file("broken.mdb"), {}));
    EXPECT_NE(import.problem().find("不是完好的"), std::string::npos) << import.problem();
    EXPECT_FALSE(import.run(path, [](long long done, long long total) { return done < total; }));
    EXPECT_EQ(import.problem(), LocalDataImport::cancelled);
    EXPECT_EQ(contents(target), empty);

    long long last = 0;
    ASSERT_TRUE(import.run(path, [&last](long long done, long long) { return (last = done) >= 0; }))
        << import.problem();
    EXPECT_EQ(contents(target), contents(db));
    EXPECT_GT(last, 10);
    EXPECT_EQ(TempFolder::read(path), before);
    // New orders go on after the imported ones.
    ASSERT_TRUE(target.ExecuteSql("insert into 存单 (编号,时间) values (3,'2017-05-16 12:00:00')"));
    EXPECT_EQ(target.lastInsertId(), 3);

    EXPECT_FALSE(import.run(path, {}));
    EXPECT_NE(import.problem().find("已有 3 张订单"), std::string::npos) << import.problem();
}

TEST_F(LocalDataImportTest, CopiesEveryTableOrNothing) {
    Database target;
    ASSERT_TRUE(StorageStartup::openDatabase(target, other.file("data/data.mdb")));
    checkImport(target);
}

TEST_F(LocalDataImportTest, CopiesOntoAServer) {
    if (ServerDatabase::server().empty())
        GTEST_SKIP() << "TABLEWISE_TEST_SERVER is not set";
    ServerDatabase server;
    Database target;
    ASSERT_TRUE(StorageStartup::openServer(target, server.connection())) << target.lastError();
    checkImport(target);
}
