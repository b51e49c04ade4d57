#include "storage/config/ProgramFolder.h"
#include "storage/copies/AutomaticBackups.h"
#include "storage/copies/DatabaseCopy.h"
#include "storage/copies/DatabaseRestore.h"
#include "storage/engine/StorageStartup.h"
#include "support/StorageConditions.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <sqlite3.h>

namespace fs = std::filesystem;
using namespace std::chrono;

namespace {

DateTime at(year_month_day day, int hour) {
    return {int(day.year()), int(unsigned(day.month())), int(unsigned(day.day())), hour, 0, 0};
}

std::string copyName(year_month_day day) {
    char name[32];
    std::snprintf(name, sizeof name, "data-%04d%02d%02d-090000.mdb", int(day.year()),
                  unsigned(day.month()), unsigned(day.day()));
    return name;
}

std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// What a copy holds, read with the engine alone: its integrity verdict and its orders.
std::pair<std::string, int> verdictAndOrders(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    std::pair<std::string, int> result{"unreadable", -1};
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        result.first = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    if (sqlite3_prepare_v2(db, "select count(*) from 存单", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        result.second = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result;
}

class BackupTest : public ::testing::Test, public TestDatabase {
  protected:
    std::string backupFolder() const { return folder.file("data/备份"); }
};

} // namespace

// Each day the program starts at 9 and again at 12. At each
// checkpoint the folder holds the newest copy of the last 14 days and the
// month-end copy of each earlier month of the last 12.
TEST_F(BackupTest, RotationOverFourHundredDaysKeepsFourteenDaysAndTwelveMonths) {
    const struct {
        year_month_day day;
        year_month_day dailyFrom;
        std::vector<year_month_day> monthEnds;
    } checkpoints[] = {
        {2025y / November / 20, 2025y / November / 20, {}},
        {2025y / December / 3, 2025y / November / 20, {}},
        {2025y / December / 4, 2025y / November / 21, {}},
        {2026y / March / 5,
         2026y / February / 20,
         {2025y / November / 30, 2025y / December / 31, 2026y / January / 31}},
        {2026y / November / 5,
         2026y / October / 23,
         {2025y / December / 31, 2026y / January / 31, 2026y / February / 28, 2026y / March / 31,
          2026y / April / 30, 2026y / May / 31, 2026y / June / 30, 2026y / July / 31,
          2026y / August / 31, 2026y / September / 30}},
        {2026y / December / 24,
         2026y / December / 11,
         {2026y / January / 31, 2026y / February / 28, 2026y / March / 31, 2026y / April / 30,
          2026y / May / 31, 2026y / June / 30, 2026y / July / 31, 2026y / August / 31,
          2026y / September / 30, 2026y / October / 31, 2026y / November / 30}},
    };
    AutomaticBackups backups(db, clock);
    sys_days day = sys_days(2025y / November / 20);
    for (const auto& checkpoint : checkpoints) {
        for (; day <= sys_days(checkpoint.day); day += days(1)) {
            clock.set(at(day, 9));
            ASSERT_TRUE(backups.startIfDue());
            backups.finish();
            clock.set(at(day, 12));
            EXPECT_FALSE(backups.startIfDue()) << "only the first start of a day copies";
        }
        std::set<std::string> expected;
        for (sys_days d = sys_days(checkpoint.dailyFrom); d <= sys_days(checkpoint.day);
             d += days(1))
            expected.insert(copyName(d));
        for (year_month_day monthEnd : checkpoint.monthEnds)
            expected.insert(copyName(monthEnd));
        EXPECT_EQ(filesIn(backupFolder()), expected) << "on " << copyName(checkpoint.day);
    }
    EXPECT_EQ(backups.takeFailure(), "");
}

// Orders stored while the copy runs, through the program's connection or
// another one, make no copy unsound or short of an order stored before it.
TEST_F(BackupTest, CopyTakenWhileOrdersAreStoredIsSoundAndHoldsThemAll) {
    for (const bool sameConnection : {true, false}) {
        SCOPED_TRACE(sameConnection ? "same connection" : "another connection");
        execute("delete * from 存单");
        addOrders(3000);
        Database other;
        ASSERT_TRUE(other.open(ProgramFolder::databasePath(), "tw"));
        Database& writer = sameConnection ? db : other;
        const std::string target = folder.file("copy.mdb");
        DatabaseCopy copy(db.connection(), target);
        for (int i = 0; copy.step(1) == DatabaseCopy::State::Copying; ++i)
            if (i < 40)
                ASSERT_TRUE(writer.ExecuteSql(
                    "insert into 存单 (编号,时间,合计,已付,实付,是否结算) values (" +
                    std::to_string(i) + ",'2026-12-08 12:00:00',10,10,10,'1')"))
                    << writer.lastError();
        EXPECT_EQ(copy.runToEnd(), DatabaseCopy::State::Done) << copy.problem();
        EXPECT_EQ(verdictAndOrders(target), std::make_pair(std::string("ok"), 3040));
        EXPECT_FALSE(fs::exists(copy.temporaryPath()));
    }
}

// A copy that fails or is dropped leaves nothing under any name; the failure
// is told once and the database goes on.
TEST_F(BackupTest, FailedOrAbandonedCopyLeavesNoFileAndIsToldOnce) {
    AutomaticBackups backups(db, clock);
    TempFolder::write(backupFolder(), "a file where the folder belongs");
    EXPECT_FALSE(backups.start());
    EXPECT_EQ(backups.takeFailure(), "自动备份失败：文件夹无法创建。");
    EXPECT_EQ(backups.takeFailure(), "");
    fs::remove(backupFolder());

    {
        DatabaseCopy copy(db.connection(), folder.file("missing/copy.mdb"));
        EXPECT_EQ(copy.state(), DatabaseCopy::State::Failed);
        EXPECT_EQ(copy.problem(), "文件夹无法写入");
    }
    EXPECT_FALSE(fs::exists(folder.file("missing")));

    addOrders(500);
    ASSERT_TRUE(backups.start());
    EXPECT_TRUE(backups.running());
    backups.abandon();
    EXPECT_EQ(filesIn(backupFolder()), std::set<std::string>{});
    EXPECT_EQ(count("select count(*) from 存单"), 500);
}

TEST_F(BackupTest, ARestoreThatLeavesNoDatabaseOpenSaysSo) {
    const std::string path = folder.file("data/data.mdb");
    const std::string offered = folder.file("offered.mdb");
    fs::copy_file(path, offered);
    DatabaseRestore restore(db, path);
    ASSERT_TRUE(restore.stage(offered).sound);
    // Another program holds both files: neither opens.
    StorageConditions::OtherWriter onStaged(db, path + ".restore");
    StorageConditions::OtherWriter onCurrent(db, path);
    EXPECT_FALSE(restore.swap(backupFolder() + "/kept.mdb"));
    EXPECT_EQ(restore.problem(), "恢复的数据库无法打开；原来的数据库没能重新打开（数据库正被其他"
                                 "程序使用，请稍后重试），请关闭程序后重新启动");
    EXPECT_FALSE(db.isOpen());
    EXPECT_TRUE(fs::exists(path));
}

TEST_F(BackupTest, CopiesAKilledProgramLeftUnfinishedAreRemovedAtStart) {
    const std::set<std::string> kept = {"data-20261207-090000.mdb", "恢复前-20261207-100000.mdb",
                                        "说明.txt"};
    fs::create_directories(backupFolder());
    for (const std::string& name : kept)
        TempFolder::write(backupFolder() + "/" + name, "kept");
    for (const char* name :
         {"data-20261208-090000.mdb.part", "data-20261208-090000.mdb.part-journal",
          "data-20261208-091500.mdb.part"})
        TempFolder::write(backupFolder() + "/" + name, std::string(4096, 'x'));
    db.close();
    ASSERT_TRUE(StorageStartup::openDatabase(db)) << db.lastError();
    EXPECT_EQ(filesIn(backupFolder()), kept);
}
