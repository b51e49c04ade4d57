#include "storage/engine/Database.h"
#include "storage/copies/DatabaseRestore.h"
#include "storage/copies/LocalDataImport.h"
#include "storage/engine/DbTransaction.h"
#include "storage/engine/StorageStartup.h"
#include "storage/schema/Schema.h"
#include "storage/schema/Template.h"
#include "storage/values/Values.h"
#include "support/StorageConditions.h"
#include "support/TestDatabase.h"

#include <functional>
#include <gtest/gtest.h>
#include <regex>
#include <sqlite3.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace {

// The template file as the program creates it, on a clock in May.
class DatabaseTest : public ::testing::Test, public TestDatabase {
  protected:
    DatabaseTest() : TestDatabase(Start::Template, DateTime{2026, 5, 15, 12, 0, 0}) {}
};

} // namespace

TEST(DatabaseConnection, TextsAreBuiltExactlyAndNameTheFileOpened) {
    EXPECT_EQ(
        Database::primaryConnectionText("/opt/tw/data/data.mdb", "tw"),
        "ODBC;DBQ=/opt/tw/data/data.mdb;DefaultDir=/opt/tw/data;Driver={Microsoft Access Driver "
        "(*.mdb)};FIL=MS Access;PWD=tw;");
    EXPECT_EQ(Database::fallbackConnectionText("/opt/tw/data/data.mdb", "tw"),
              "ODBC;DSN=MS Access Database;DBQ=/opt/tw/data/data.mdb;Driver={Microsoft Access "
              "Driver (*.mdb, "
              "*.accdb)};;DriverId=25;FIL=MS Access;MaxBufferSize=2048;PageTimeout=5;PWD=tw;");
    for (const std::string path : {"/opt/tw/data/data.mdb", "/a;b/data.mdb", "data.mdb"}) {
        EXPECT_EQ(Database::pathFromConnectionText(Database::primaryConnectionText(path, "tw")),
                  path);
        EXPECT_EQ(Database::pathFromConnectionText(Database::fallbackConnectionText(path, "tw")),
                  path);
    }
}

TEST(DatabaseConnection, FailsOnMissingOrForeignFiles) {
    TempFolder folder;
    Database db;
    EXPECT_FALSE(
        db.NewOpenDatabase(Database::primaryConnectionText(folder.file("none.mdb"), "tw")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("none.mdb")));
    TempFolder::write(folder.file("junk.mdb"), "this is no database");
    EXPECT_FALSE(db.open(folder.file("junk.mdb"), "tw"));
    EXPECT_EQ(TempFolder::read(folder.file("junk.mdb")), "this is no database");
    EXPECT_EQ(db.OpenTable("select 1"), 0);
    EXPECT_FALSE(db.ExecuteSql("delete * from 菜单"));
}

TEST(DatabaseTemplate, FirstStartWritesTheTemplateByteForByte) {
    TempFolder folder;
    std::string path = folder.file("data/data.mdb");
    ASSERT_TRUE(Template::writeIfMissing(path));
    EXPECT_EQ(TempFolder::read(path), std::string(Template::bytes()));
    TempFolder::write(path, "kept");
    EXPECT_TRUE(Template::writeIfMissing(path));
    EXPECT_EQ(TempFolder::read(path), "kept");
}

TEST_F(DatabaseTest, UpgradeAddsTheRemarkColumnAndTheRecordTableOnce) {
    EXPECT_NE(scalar("select count(*) from pragma_table_info('存单') where name='备注'"), "0");
    // Records are long: a whole order with its lines.
    const std::string longText(3000, 'x');
    ASSERT_TRUE(db.ExecuteSql("insert into 操作记录 (时间,操作,原内容) values ('2026-05-15 "
                              "12:00:00','删除订单','" +
                              longText + "')"))
        << db.lastError();
    db.close();
    Database again;
    ASSERT_TRUE(again.open(folder.file("data/data.mdb"), "tw"));
    int handle =
        again.OpenTable("select count(*) from pragma_table_info('存单') where name='备注'");
    EXPECT_EQ(again.ReadColByIndex(handle, 1).toInt(), 1);
    again.CloseTable(handle);
    EXPECT_EQ(StorageConditions::firstText(again.connection(), "PRAGMA user_version"),
              std::to_string(Schema::version));
    handle = again.OpenTable("select 原内容 from 操作记录");
    EXPECT_EQ(again.ReadColByIndex(handle, 1).toText(), longText) << "kept by the second start";
    again.CloseTable(handle);
}

TEST_F(DatabaseTest, AnEarlierFileKeepsItsAmountsAndStoresFenFromNowOn) {
    db.close();
    const std::string path = folder.file("data/data.mdb");
    std::string earlier = "PRAGMA user_version=1; PRAGMA writable_schema=ON;";
    const std::tuple<const char*, const char*, ColumnKind> declared[] = {
        {"存单", "实付", ColumnKind::Decimal},
        {"存单", "已付", ColumnKind::Decimal},
        {"存单", "合计", ColumnKind::Single},
        {"存单详单", "小计", ColumnKind::Single},
        {"菜单", "价格", ColumnKind::Double}};
    for (const auto& [table, column, kind] : declared)
        earlier += "UPDATE sqlite_master SET sql=replace(sql," +
                   Values::sqlQuote(Schema::columnSql({column, ColumnKind::Money})) + "," +
                   Values::sqlQuote(Schema::columnSql({column, kind})) + ") WHERE name='" + table +
                   "';";
    sqlite3* old = nullptr;
    sqlite3_open(path.c_str(), &old);
    ASSERT_EQ(sqlite3_exec(old, (earlier + "PRAGMA writable_schema=OFF;").c_str(), nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    sqlite3_close(old);
    sqlite3_open(path.c_str(), &old);
    ASSERT_EQ(sqlite3_exec(old,
                           "insert into 存单 (编号,时间,合计,已付,实付,是否结算) values "
                           "(1,'2026-12-08 10:00:00',78.5,79,79,1)",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    EXPECT_EQ(StorageConditions::firstText(old, "select type from pragma_table_info('存单') "
                                                "where name='实付'"),
              "DECIMAL(18,0)");
    sqlite3_close(old);

    Database again;
    ASSERT_TRUE(StorageStartup::openDatabase(again, path)) << again.lastError();
    for (const auto& [table, column, kind] : declared)
        EXPECT_EQ(StorageConditions::firstText(again.connection(),
                                               std::string("select type from pragma_table_info('") +
                                                   table + "') where name='" + column + "'"),
                  "MONEY")
            << column;
    ASSERT_TRUE(again.ExecuteSql("insert into 存单 (编号,时间,合计,已付,实付,抹零金额) values "
                                 "(2,'2026-12-08 11:00:00',15.5,15.5,15.5,0)"))
        << again.lastError();
    EXPECT_EQ(StorageConditions::firstText(again.connection(),
                                           "select group_concat(实付||'/'||合计) from "
                                           "(select * from 存单 order by ID)"),
              "79/78.5,15.5/15.5");
    EXPECT_EQ(StorageConditions::firstText(again.connection(), "PRAGMA integrity_check"), "ok");
}

TEST_F(DatabaseTest, ValuesCarryTheirColumnTypes) {
    using T = DbValue::Type;
    ASSERT_TRUE(db.ExecuteSql(
        "insert into 存单 (编号,票头,时间,减免份数,减免金额,合计,实付,是否结算) values "
        "(7,'微信点餐','05-15 12:30',2,12.5,12.3,12.5,'1')"));
    int handle = db.OpenTable(
        "select top 1 * from (select top 1 * from 存单 order by [id])order by [id] desc");
    ASSERT_NE(handle, 0);
    const struct {
        const char* column;
        T type;
        const char* text;
    } cases[] = {{"ID", T::Int32, "1"},          {"编号", T::Int32, "7"},
                 {"票头", T::Text, "微信点餐"},  {"时间", T::DateTime, "2026年5月15日12时30分"},
                 {"减免份数", T::Int16, "2"},    {"减免金额", T::Double, "12.5"},
                 {"合计", T::Double, "12.3"},    {"实付", T::Double, "12.5"},
                 {"是否结算", T::Logical, "真"}, {"姓名", T::Empty, ""},
                 {"no such", T::Empty, ""}};
    for (const auto& c : cases) {
        DbValue v = db.ReadColByName(handle, c.column);
        EXPECT_EQ(v.type(), c.type) << c.column;
        EXPECT_EQ(v.toText(), c.text) << c.column;
    }
    EXPECT_DOUBLE_EQ(db.ReadColByName(handle, "合计").toNumber(), 12.3);
    db.MoveNext(handle);
    EXPECT_TRUE(db.IsEOF(handle));
    EXPECT_TRUE(db.ReadColByIndex(handle, 1).isEmpty());
    db.CloseTable(handle);
    EXPECT_TRUE(db.ReadColByIndex(handle, 1).isEmpty());
    EXPECT_TRUE(db.ReadColByIndex(0, 1).isEmpty());
    EXPECT_TRUE(db.IsEOF(0));
}

TEST_F(DatabaseTest, AggregatesReadAtPositionOne) {
    EXPECT_EQ(scalar("Select max(编号) from 存单 where  时间>cdate('2026年5月15日')"), "");
    EXPECT_EQ(scalar("select count(*) from 菜单"), "28");
    EXPECT_EQ(scalar("select sum(价格) from 菜单 where 单位='瓶'"), "39.5");
}

TEST_F(DatabaseTest, ColumnSemanticsRefuseWhatDoesNotFit) {
    const struct {
        const char* sql;
        bool accepted;
    } cases[] = {
        {"insert into 单位 (单位名称) values ('12345678')", true},
        {"insert into 单位 (单位名称) values ('123456789')", false},
        {"insert into 单位 (单位名称) values ('八个汉字八个汉字')", true},
        {"insert into 单位 (单位名称) values ('九个汉字九个汉字九')", false},
        {"insert into 存单详单 (数量) values (32767)", true},
        {"insert into 存单详单 (数量) values (32768)", false},
        {"insert into 存单详单 (数量) values (-32769)", false},
        {"insert into 存单 (时间) values ('soon')", false},
        {"insert into 存单 (时间) values ('2017年5月15日3时7分')", true},
        {"update 存单 set 时间='2017-02-30' where ID=1", false},
        {"insert into 存单 (实付) values ('abc')", false},
        {"insert into 菜单 (价格) values ('3.5')", true},
        {"insert into 菜单 (价格) values ('three')", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(db.ExecuteSql(c.sql), c.accepted) << c.sql << ": " << db.lastError();
}

TEST_F(DatabaseTest, RunTimeValuesAreNormalisedLikeLiterals) {
    ASSERT_TRUE(db.ExecuteSql(
        "insert into 存单 (编号,实付,合计,时间) values (1,2,0.1,'2017-05-15 09:05')"));
    ASSERT_TRUE(
        db.ExecuteSql("update 存单 set 实付=实付+0.5,合计=合计*3,编号=编号+0.5 where ID =1"));
    EXPECT_EQ(scalar("select 实付 from 存单"), "2.5");
    EXPECT_EQ(scalar("select 合计 from 存单"), "0.3");
    // Amounts keep their fen, and only their fen.
    ASSERT_TRUE(db.ExecuteSql("update 存单 set 实付=实付+0.005,合计=1234567.89 where ID =1"));
    EXPECT_EQ(scalar("select 实付 from 存单"), "2.51");
    EXPECT_EQ(scalar("select 合计 from 存单"), "1234567.89");
    EXPECT_EQ(scalar("select 编号 from 存单"), "2");
    EXPECT_FALSE(db.ExecuteSql("update 存单 set 时间=编号 where ID =1"));
    EXPECT_EQ(scalar("select format(时间,'yyyy年m月d日') from 存单"), "2017年5月15日");
}

TEST_F(DatabaseTest, AutonumbersAreNeverReused) {
    ASSERT_TRUE(db.ExecuteSql("insert into 客户 (电话) values ('1')"));
    long long first = db.lastInsertId();
    ASSERT_TRUE(db.ExecuteSql("Delete * from 客户 where 电话 ='1'"));
    ASSERT_TRUE(db.ExecuteSql("insert into 客户 (电话) values ('2')"));
    EXPECT_GT(db.lastInsertId(), first);
}

TEST_F(DatabaseTest, TransactionsStoreAllOrNothing) {
    {
        DbTransaction transaction(db);
        ASSERT_TRUE(transaction.started());
        ASSERT_TRUE(db.ExecuteSql("insert into 客户 (电话) values ('1')"));
    }
    EXPECT_EQ(scalar("select count(*) from 客户"), "0");
    DbTransaction transaction(db);
    ASSERT_TRUE(db.ExecuteSql("insert into 客户 (电话) values ('1')"));
    EXPECT_TRUE(transaction.commit());
    EXPECT_EQ(scalar("select count(*) from 客户"), "1");
}

TEST_F(DatabaseTest, OneStatementPerCall) {
    EXPECT_FALSE(db.ExecuteSql("delete * from 菜单; delete * from 桌号"));
    EXPECT_EQ(scalar("select count(*) from 菜单"), "28");
    EXPECT_TRUE(db.ExecuteSql("delete * from 菜单 where ID=1;"));
}

TEST(DatabaseTemplate, HoldsTheSchemaAndSeedRowsOnly) {
    TempFolder folder;
    Database db;
    std::string path = folder.file("data/data.mdb");
    ASSERT_TRUE(Template::writeIfMissing(path));
    ASSERT_TRUE(db.NewOpenDatabase(Database::primaryConnectionText(path, "tw")));
    auto scalar = [&db](const std::string& sql) {
        int handle = db.OpenTable(sql);
        std::string text = db.ReadColByIndex(handle, 1).toText();
        db.CloseTable(handle);
        return text;
    };
    const std::pair<const char*, const char*> counts[] = {
        {"存单", "0"}, {"存单详单", "0"}, {"客户", "0"},     {"记录", "0"},  {"单位", "10"},
        {"店名", "5"}, {"减免", "4"},     {"票头设置", "6"}, {"桌号", "18"}, {"菜单", "28"}};
    for (auto [table, count] : counts)
        EXPECT_EQ(scalar(std::string("select count(*) from ") + table), count) << table;
    EXPECT_EQ(
        scalar("select count(*) from sqlite_master where type='table' and name<>'sqlite_sequence'"),
        "10");
    EXPECT_EQ(scalar("select count(*) from pragma_table_info('存单')"), "17");
    EXPECT_EQ(scalar("select count(*) from pragma_index_list('存单详单')"), "1");
    EXPECT_EQ(scalar("select group_concat(代码||菜名||价格||单位, ',') from (select * from 菜单 "
                     "where ID>=26 "
                     "order by ID)"),
              "203极品芙蓉王65包,105王老吉3.5瓶,108空心菜18份");
    EXPECT_EQ(
        scalar(
            "select group_concat(代号||'='||桌号名称, ',') from (select * from 桌号 where ID>=10 "
            "order by ID)"),
        "10=号牌 10,101=桌号 2楼1桌,102=桌号 2楼2桌,103=桌号 2楼3桌,104=桌号 2楼4桌,201=包厢 "
        "滕王阁,202=包厢 岳阳楼,203=包厢 黄鹤楼,204=包厢 蓬莱阁");
    EXPECT_EQ(scalar("select group_concat(票头, ',') from (select * from 票头设置 order by ID)"),
              "饿了么(第1联),美团(第1联),百度外卖(第1联),淘点点,自助快餐,微信点餐");
}

namespace {

// A database of a few hundred orders, as a file of many pages.
std::string databaseWithOrders(const TempFolder& folder) {
    const std::string path = folder.file("data/data.mdb");
    Database db;
    EXPECT_TRUE(db.open(path, "tw"));
    DbTransaction transaction(db);
    for (int i = 1; i <= 400; ++i) {
        const std::string n = std::to_string(i);
        EXPECT_TRUE(db.ExecuteSql("insert into 存单 (编号,票头,时间,实付,地址) values (" + n +
                                  ",'饿了么(第1联)','2026-03-01 12:00',25,'北街" + n + "号')"));
        for (const char* dish : {"鱼香肉丝", "宫保鸡丁", "米饭"})
            EXPECT_TRUE(db.ExecuteSql(
                "insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) values (" +
                std::to_string(i) + ",'2026-03-01 12:00','" + dish + "',1,'份',12.5)"));
    }
    EXPECT_TRUE(transaction.commit());
    return path;
}

long rootPage(const std::string& path, const std::string& name) {
    Database db;
    EXPECT_TRUE(db.NewOpenDatabase(Database::primaryConnectionText(path, "tw")));
    return std::stol(StorageConditions::firstText(
        db.connection(), "select rootpage from sqlite_master where name='" + name + "'"));
}

// A page in the middle of the file zeroed, and the file's time of change set
// back: damage that nothing but reading every page finds.
void damageUnseen(const std::string& path) {
    struct stat before = {};
    ::stat(path.c_str(), &before);
    std::string bytes = TempFolder::read(path);
    bytes.replace((bytes.size() / 4096 / 2) * 4096, 4096, 4096, '\0');
    TempFolder::write(path, bytes);
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

bool openOn(const std::string& path, const DateTime& now, Database& db) {
    FixedClock clock(now);
    db.setClock(clock);
    const bool opened = StorageStartup::openDatabase(db, path);
    db.close();
    db.setClock(Clock::system());
    return opened;
}

} // namespace

// Every page is read at the first start of a day; a later start trusts that
// read only when the program it follows ended cleanly and left the very file
// that is there now.
TEST(DatabaseFile, EveryPageIsReadAgainUnlessTheSameFileWasLeftCleanlyToday) {
    const DateTime morning{2026, 12, 8, 9, 0, 0}, noon{2026, 12, 8, 12, 0, 0};
    const DateTime nextDay{2026, 12, 9, 9, 0, 0};
    const auto killed = [&](const std::string& path) {
        if (const pid_t child = ::fork(); child == 0) {
            Database db;
            FixedClock clock(morning);
            db.setClock(clock);
            ::_exit(StorageStartup::openDatabase(db, path) ? 0 : 1);
        } else {
            int status = 0;
            ::waitpid(child, &status, 0);
            EXPECT_EQ(status, 0);
        }
    };
    const struct {
        const char* since;
        std::function<void(const std::string&)> happen;
        DateTime next;
        bool readAgain;
    } cases[] = {
        {"a clean end", [](const std::string&) {}, noon, false},
        {"a clean end, then midnight", [](const std::string&) {}, nextDay, true},
        {"the program killed", killed, noon, true},
        {"the file copied in by hand",
         [](const std::string& path) {
             TempFolder::write(path + ".copy", TempFolder::read(path));
             std::filesystem::rename(path + ".copy", path);
         },
         noon, true},
        {"an order stored by another program",
         [](const std::string& path) {
             sqlite3* other = nullptr;
             sqlite3_open(path.c_str(), &other);
             sqlite3_exec(other, "update 存单 set 编号=编号+1 where ID=1", nullptr, nullptr,
                          nullptr);
             sqlite3_close(other);
         },
         noon, true},
        {"a marker that names a day only",
         [](const std::string& path) { TempFolder::write(path + ".checked", "2026-12-08"); }, noon,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.since);
        TempFolder folder;
        const std::string path = databaseWithOrders(folder);
        Database db;
        ASSERT_TRUE(openOn(path, morning, db)) << db.lastError();
        c.happen(path);
        damageUnseen(path);
        const std::string bytes = TempFolder::read(path);
        EXPECT_EQ(openOn(path, c.next, db), !c.readAgain) << db.lastError();
        if (c.readAgain) {
            EXPECT_EQ(db.lastFailure(), StorageFailure::Damaged);
            EXPECT_TRUE(TempFolder::read(path) == bytes) << "the file was changed";
        }
    }
}

// Index entries that disagree with their table pass a read of every page;
// an order read through them would miss its lines.
TEST(DatabaseFile, IndexesThatDisagreeWithTheirTablesAreRebuiltAtStart) {
    TempFolder folder;
    const std::string path = databaseWithOrders(folder);
    StorageConditions::changeBehindIndex(
        path, "存单详单_存单ID",
        "insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) values "
        "(5,'2026-03-01 12:00:00','米饭',1,'份',2); delete from 存单详单 where 存单ID=7");
    Database db;
    ASSERT_TRUE(StorageStartup::openDatabase(db, path)) << db.lastError();
    EXPECT_TRUE(db.indexesRebuilt());
    EXPECT_NE(StorageStartup::notice(db).find("索引已损坏"), std::string::npos);
    auto scalar = [&db](const std::string& sql) {
        return StorageConditions::firstText(db.connection(), sql);
    };
    EXPECT_EQ(scalar("select group_concat(菜名) from 存单详单 where 存单ID=5"),
              "鱼香肉丝,宫保鸡丁,米饭,米饭");
    EXPECT_EQ(scalar("select count(*) from 存单详单 where 存单ID=7"), "0");
    ASSERT_TRUE(db.ExecuteSql("Delete * from 存单详单 where 存单ID=5"));
    EXPECT_EQ(scalar("select count(*) from 存单详单 not indexed where 存单ID=5"), "0");
    EXPECT_EQ(scalar("PRAGMA integrity_check"), "ok");
    db.close();
    ASSERT_TRUE(StorageStartup::openDatabase(db, path));
    EXPECT_FALSE(db.indexesRebuilt());
    EXPECT_EQ(StorageStartup::notice(db), "");
}

TEST(DatabaseFile, DamagedCopiesAreRefusedAndLeftAsTheyWere) {
    TempFolder folder;
    const std::string sound = databaseWithOrders(folder);
    const std::string original = TempFolder::read(sound);
    const long pages = static_cast<long>(original.size() / 4096);
    ASSERT_GT(pages, 20);
    const long indexRoot = rootPage(sound, "存单详单_存单ID");
    const struct {
        const char* damage;
        std::function<void(std::string&)> apply;
    } cases[] = {
        {"a zeroed page", [&](std::string& b) { b.replace((pages / 2) * 4096, 4096, 4096, '\0'); }},
        {"random bytes in a page",
         [&](std::string& b) {
             unsigned seed = 7;
             for (long i = 0; i < 4096; ++i)
                 b[(pages / 3) * 4096 + i] =
                     static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
         }},
        {"flipped bits in a page header",
         [&](std::string& b) {
             b[(pages - 2) * 4096] = static_cast<char>(b[(pages - 2) * 4096] ^ 0x5A);
         }},
        {"a zeroed page of an index",
         [&](std::string& b) { b.replace((indexRoot - 1) * 4096, 4096, 4096, '\0'); }},
        {"a file cut to 99%", [&](std::string& b) { b.resize(b.size() * 99 / 100); }},
        {"a file cut to its first page", [&](std::string& b) { b.resize(4096); }},
        {"no database at all", [&](std::string& b) { b = "this is no database"; }},
    };
    for (const auto& c : cases) {
        std::string bytes = original;
        c.apply(bytes);
        TempFolder::write(sound, bytes);
        // Every page is read back at the first start of a day.
        TempFolder::write(sound + ".checked", "2000-01-01 00:00:00");
        Database db;
        EXPECT_FALSE(StorageStartup::openDatabase(db, sound)) << c.damage;
        EXPECT_EQ(db.lastFailure(), StorageFailure::Damaged) << c.damage << ": " << db.lastError();
        EXPECT_TRUE(TempFolder::read(sound) == bytes) << c.damage << ": the file was changed";
        EXPECT_NE(StorageStartup::failureMessage(db, sound).find("已损坏"), std::string::npos);
        EXPECT_FALSE(db.isOpen()) << c.damage;
    }
    TempFolder::write(sound, original);
    Database db;
    EXPECT_TRUE(StorageStartup::openDatabase(db, sound)) << db.lastError();
}

TEST(DatabaseFile, OlderFilesLearnToCompareNamesExactly) {
    TempFolder folder;
    const std::string path = folder.file("data/data.mdb");
    std::filesystem::create_directories(folder.file("data"));
    // The schema as earlier versions wrote it: text compared ignoring case.
    const std::string sql = std::regex_replace(Schema::templateSql(), std::regex(R"(TEXT\(\d+\))"),
                                               "$& COLLATE NOCASE");
    sqlite3* old = nullptr;
    sqlite3_open(path.c_str(), &old);
    ASSERT_EQ(sqlite3_exec(old,
                           (sql + "INSERT INTO 减免 (减免名称) VALUES ('vip'),('VIP');"
                                  "CREATE INDEX 菜单_菜名 ON 菜单 (菜名);")
                               .c_str(),
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    ASSERT_EQ(StorageConditions::firstText(old, "select count(*) from 减免 where 减免名称='vip'"),
              "2");
    sqlite3_close(old);

    for (int start = 0; start < 2; ++start) {
        Database db;
        ASSERT_TRUE(StorageStartup::openDatabase(db, path)) << db.lastError();
        EXPECT_EQ(StorageConditions::firstText(db.connection(),
                                               "select count(*) from sqlite_master where sql like "
                                               "'%NOCASE%'"),
                  "0");
        EXPECT_EQ(StorageConditions::firstText(db.connection(), "PRAGMA integrity_check"), "ok");
        EXPECT_EQ(StorageConditions::firstText(
                      db.connection(), "select count(*) from sqlite_master where type='index' "
                                       "and (name like '存单%' or name like '挂单%' or "
                                       "name like '估清%')"),
                  std::to_string(Schema::indexes().size()))
            << "an older file gets every index at start-up";
    }
    Database db;
    ASSERT_TRUE(StorageStartup::openDatabase(db, path));
    ASSERT_TRUE(db.ExecuteSql("delete * from 减免 where 减免名称 = 'vip'"));
    EXPECT_EQ(
        StorageConditions::firstText(db.connection(), "select group_concat(减免名称) from 减免"),
        "立减优惠,整单折扣,开业酬宾,开学优惠,VIP");
    EXPECT_EQ(StorageConditions::firstText(db.connection(),
                                           "select count(*) from 菜单 where 菜名='红烧排骨饭'"),
              "1");
}

// Tills are upgraded one at a time: a file that a later version has written
// is left to it, wherever this program meets it.
TEST(DatabaseFile, FilesOfALaterVersionAreRefusedAndLeftAsTheyWere) {
    TempFolder folder;
    const std::string later = databaseWithOrders(folder);
    StorageConditions::makeLaterVersion(later);
    const std::string bytes = TempFolder::read(later);
    const std::string current = folder.file("current/data.mdb");
    Database db;
    ASSERT_TRUE(StorageStartup::openDatabase(db, current));
    const struct {
        const char* where;
        std::function<std::string()> refusal;
    } cases[] = {
        {"start-up",
         [&] {
             Database other;
             EXPECT_FALSE(StorageStartup::openDatabase(other, later));
             EXPECT_EQ(other.lastFailure(), StorageFailure::LaterVersion);
             EXPECT_FALSE(other.isOpen());
             return StorageStartup::failureMessage(other, later);
         }},
        {"restore",
         [&] {
             const BackupSummary summary = DatabaseRestore(db, current).stage(later);
             EXPECT_FALSE(summary.sound);
             EXPECT_TRUE(summary.laterVersion);
             return summary.problem;
         }},
        {"import",
         [&] {
             LocalDataImport import(db);
             EXPECT_FALSE(import.run(later, {}));
             return import.problem();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        const std::string refusal = c.refusal();
        EXPECT_NE(refusal.find("数据版本 99"), std::string::npos) << refusal;
        EXPECT_NE(refusal.find("数据版本 " + std::to_string(Schema::version)), std::string::npos)
            << refusal;
        EXPECT_TRUE(TempFolder::read(later) == bytes) << "the file was changed";
        EXPECT_TRUE(db.ExecuteSql("insert into 存单 (编号,时间) values (1,'2026-12-08 12:00')"))
            << "the current database goes on";
    }
    EXPECT_EQ(StorageConditions::firstText(db.connection(), "PRAGMA user_version"),
              std::to_string(Schema::version));
}

TEST_F(DatabaseTest, FailuresSayWhatFailed) {
    const std::string path = folder.file("data/data.mdb");
    auto addDiscount = [](Database& on) {
        return StorageConditions::firstFailure(
            [&](int i) {
                return on.ExecuteSql("insert into 减免 (减免名称) values ('优惠" +
                                     std::to_string(i) + "')")
                           ? StorageFailure::None
                           : on.lastFailure();
            },
            StorageFailure::None);
    };
    StorageConditions::fillDisk(db);
    EXPECT_EQ(addDiscount(db), StorageFailure::DiskFull);
    db.close();

    const std::string readOnly = StorageConditions::inReadOnlyFolder(
        path, [&](Database& on) { return StorageFailures::reason(addDiscount(on)); });
    EXPECT_EQ(readOnly, StorageFailures::reason(StorageFailure::ReadOnly));

    // A read that fails is a failure with its cause, never an empty answer.
    auto readFailures = [&] {
        const ReadResult<Rows> rows = db.read("select * from 减免");
        const ReadResult<DbValue> value = db.readValue("select count(*) from 减免");
        EXPECT_EQ(rows.failure(), value.failure());
        return rows.failure();
    };
    ASSERT_TRUE(db.open(path, "tw"));
    EXPECT_EQ(readFailures(), StorageFailure::None);
    {
        StorageConditions::OtherWriter other(db, path);
        EXPECT_EQ(addDiscount(db), StorageFailure::Busy);
        EXPECT_FALSE(db.begin());
        EXPECT_EQ(db.lastFailure(), StorageFailure::Busy);
        EXPECT_EQ(readFailures(), StorageFailure::Busy);
    }
    StorageConditions::damageTable(db, path, "减免");
    EXPECT_EQ(addDiscount(db), StorageFailure::Damaged);
    EXPECT_EQ(readFailures(), StorageFailure::Damaged);
    EXPECT_FALSE(db.isSound());
}

TEST_F(DatabaseTest, ARowsReadThatFailsPartWayIsAFailureNotFewerRows) {
    {
        DbTransaction transaction(db);
        for (int i = 0; i < 3000; ++i)
            ASSERT_TRUE(db.ExecuteSql("insert into 客户 (电话,姓名,地址) values ('" +
                                      std::to_string(13800000000 + i) + "','客户','北街')"));
        ASSERT_TRUE(transaction.commit());
    }
    ASSERT_EQ(db.read("select * from 客户")->size(), 3000u);
    // The last page of the file holds the last customers: the first rows
    // still read, so the failure comes part way through.
    StorageConditions::damagePage(
        folder.file("data/data.mdb"),
        std::stol(StorageConditions::firstText(db.connection(), "PRAGMA page_count")));
    const int cursor = db.OpenTable("select * from 客户");
    ASSERT_NE(cursor, 0);
    EXPECT_EQ(db.ReadColByName(cursor, "电话").toText(), "13800000000");
    db.CloseTable(cursor);
    const ReadResult<Rows> rows = db.read("select * from 客户");
    EXPECT_FALSE(rows);
    EXPECT_EQ(rows.failure(), StorageFailure::Damaged);
    EXPECT_NE(rows.message("读取客户资料", "").find("已损坏"), std::string::npos);
}

TEST_F(DatabaseTest, ANulNeverCutsAStatementShort) {
    const std::string nul("北\0街", 5);
    for (const std::string& sql : {"insert into 客户 (电话,地址) values ('139','" + nul + "')",
                                   "update 菜单 set 菜名='" + nul + "' where ID=1",
                                   "select * from 客户 where 电话='" + nul + "'"}) {
        EXPECT_FALSE(sql.starts_with("select") ? db.OpenTable(sql) != 0 : db.ExecuteSql(sql));
        EXPECT_EQ(db.lastFailure(), StorageFailure::NulInText) << db.lastError();
    }
    EXPECT_EQ(scalar("select count(*) from 客户"), "0");
    EXPECT_EQ(scalar("select 菜名 from 菜单 where ID=1"), "红烧排骨饭");
    EXPECT_TRUE(db.ExecuteSql("insert into 客户 (电话) values ('139')"));
    EXPECT_EQ(db.lastFailure(), StorageFailure::None);
}

// Files from before tills had names gain the column on both tables; their
// rows read it as empty text.
TEST_F(DatabaseTest, UpgradeGivesTheSaleTimeIndexTheOrderOfEachLine) {
    ASSERT_EQ(sqlite3_exec(db.connection(),
                           "DROP INDEX 存单详单_销售时间; CREATE INDEX 存单详单_销售时间 ON "
                           "存单详单 (销售时间,菜名,小计); PRAGMA user_version=8",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    db.close();
    Database again;
    ASSERT_TRUE(again.open(folder.file("data/data.mdb"), "tw")) << again.lastError();
    EXPECT_EQ(
        StorageConditions::firstText(
            again.connection(), "select sql from sqlite_master where name='存单详单_销售时间'"),
        "CREATE INDEX 存单详单_销售时间 ON 存单详单 (销售时间,菜名,小计,存单ID)");
}

TEST_F(DatabaseTest, UpgradeAddsTheTillColumnsToOlderFiles) {
    addOrder({});
    // Older files had no index on the till either.
    ASSERT_EQ(sqlite3_exec(db.connection(), "DROP INDEX 存单_收银台", nullptr, nullptr, nullptr),
              SQLITE_OK);
    for (const char* table : {"存单", "操作记录"})
        ASSERT_TRUE(db.ExecuteSql(std::string("alter table ") + table + " drop column 收银台"))
            << db.lastError();
    ASSERT_EQ(sqlite3_exec(db.connection(), "PRAGMA user_version=2", nullptr, nullptr, nullptr),
              SQLITE_OK);
    db.close();
    Database again;
    ASSERT_TRUE(again.open(folder.file("data/data.mdb"), "tw")) << again.lastError();
    for (const char* table : {"存单", "操作记录"}) {
        const int handle = again.OpenTable(std::string("select 收银台 from ") + table);
        EXPECT_NE(handle, 0) << table << ": " << again.lastError();
        EXPECT_EQ(again.ReadColByIndex(handle, 1).toText(), "");
        again.CloseTable(handle);
    }
    EXPECT_TRUE(again.ExecuteSql("update 存单 set 收银台='前台'"));
}
