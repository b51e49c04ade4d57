#include "ProgramProcess.h"
#include "support/StorageConditions.h"
#include "support/TempFolder.h"
#include "support/TestApplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

// The program copied alone into a folder of its own, under a name no other
// run of the suite uses, so that the single-instance rule leaves it alone.
class Installation {
  public:
    explicit Installation(const QString& name)
        : m_exe(m_folder.filePath(name + QString::number(QCoreApplication::applicationPid()))),
          m_process(m_exe, {}, QProcessEnvironment::systemEnvironment(), QDir::tempPath()) {
        QFile::copy(QStringLiteral(TABLEWISE_EXE), m_exe);
        QFile::setPermissions(m_exe, QFile::permissions(m_exe) | QFile::ExeOwner);
    }

    void start() { m_process.start(); }
    int runWith(const QStringList& arguments, QByteArray& output) {
        return m_process.runWith(arguments, output);
    }
    bool waitUntilSeeded() { return m_process.waitUntilSeeded(database()); }
    // Waits until the program has the database open: it marks the file in use anew.
    bool waitUntilOpened(const std::string& markerBefore) {
        return m_process.waitUntil([&] { return readMarker() != markerBefore; });
    }
    std::string readMarker() const {
        const std::filesystem::path marker = database().toStdString() + ".checked";
        std::error_code error;
        return std::to_string(
                   std::filesystem::last_write_time(marker, error).time_since_epoch().count()) +
               TempFolder::read(marker.string());
    }
    bool waitForOutput(const QByteArray& text) { return m_process.waitForOutput(text); }
    int terminate() { return m_process.terminate(); }
    void kill() { m_process.kill(); }

    QString database() const { return m_folder.filePath(QStringLiteral("data/data.mdb")); }
    bool hasDataFolder() const { return QDir(m_folder.filePath(QStringLiteral("data"))).exists(); }

  private:
    QTemporaryDir m_folder;
    QString m_exe;
    ProgramProcess m_process;
};

} // namespace

TEST(EndToEnd, TheProgramAloneInAnEmptyFolderMakesAWorkingInstallation) {
    ensureTestApplication();
    Installation install(QStringLiteral("tablewise_e2e_"));
    install.start();
    ASSERT_TRUE(install.waitUntilSeeded());
    EXPECT_EQ(install.terminate(), 0);

    expectFirstRunData(install.database());
}

TEST(EndToEnd, ASecondCopyUnderTheSameNameIsRefusedAnotherNameStarts) {
    ensureTestApplication();
    Installation first(QStringLiteral("tablewise_one_"));
    first.start();
    ASSERT_TRUE(first.waitUntilSeeded());

    Installation second(QStringLiteral("tablewise_one_"));
    second.start();
    EXPECT_TRUE(second.waitForOutput("程序正在运行，无法重复打开！"));
    EXPECT_EQ(second.terminate(), 1);
    EXPECT_FALSE(second.hasDataFolder());

    Installation other(QStringLiteral("tablewise_two_"));
    other.start();
    EXPECT_TRUE(other.waitUntilSeeded());
    EXPECT_EQ(other.terminate(), 0);
    EXPECT_EQ(first.terminate(), 0);
}

namespace {

void zeroPage(const std::string& path, long page) {
    std::string bytes = TempFolder::read(path);
    bytes.replace((page - 1) * 4096, 4096, 4096, '\0');
    TempFolder::write(path, bytes);
}

long rootPage(const std::string& path, const std::string& table) {
    Database db;
    db.NewOpenDatabase(Database::primaryConnectionText(path, "tw"));
    return std::stol(StorageConditions::firstText(
        db.connection(), "select rootpage from sqlite_master where name='" + table + "'"));
}

// The first column of the first row, read from the file the program left.
std::string firstText(const std::string& path, const std::string& sql) {
    Database db;
    db.NewOpenDatabase(Database::primaryConnectionText(path, "tw"));
    return StorageConditions::firstText(db.connection(), sql);
}

} // namespace

// The program is killed, as a power cut ends it, and started again the same
// day: whatever happened to its file meanwhile, every page is read first.
TEST(EndToEnd, AStartAfterAKillReadsEveryPageFirst) {
    ensureTestApplication();
    const struct {
        const char* meanwhile;
        std::function<void(const std::string&)> happen;
        const char* told; // on the error output; empty: nothing to tell
        int exitCode;
        const char* dishes; // of order 1, read through the index
    } cases[] = {
        {"nothing", [](const std::string&) {}, "", 0, ""},
        {"a damaged page", [](const std::string& path) { zeroPage(path, rootPage(path, "菜单")); },
         "数据库文件已损坏", 1, ""},
        {"lines stored past their index",
         [](const std::string& path) {
             StorageConditions::changeBehindIndex(
                 path, "存单详单_存单ID",
                 "insert into 存单 (ID,编号,时间,实付) values (1,1,'2026-12-08 12:00:00',30);"
                 "insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) values "
                 "(1,'2026-12-08 12:00:00','鱼香肉丝',1,'份',18),"
                 "(1,'2026-12-08 12:00:00','米饭',1,'份',12)");
         },
         "索引已损坏", 0, "鱼香肉丝,米饭"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.meanwhile);
        Installation install(QStringLiteral("tablewise_kill_"));
        install.start();
        ASSERT_TRUE(install.waitUntilSeeded());
        install.kill();
        const std::string path = install.database().toStdString();
        c.happen(path);
        const std::string bytes = TempFolder::read(path);
        const std::string marker = install.readMarker();

        install.start();
        if (*c.told)
            EXPECT_TRUE(install.waitForOutput(c.told));
        else
            EXPECT_TRUE(install.waitUntilOpened(marker));
        EXPECT_EQ(install.terminate(), c.exitCode);
        if (c.exitCode != 0) {
            EXPECT_TRUE(TempFolder::read(path) == bytes) << "the refused file was changed";
            continue;
        }
        EXPECT_EQ(firstText(path, "PRAGMA integrity_check"), "ok");
        EXPECT_EQ(firstText(path, "select group_concat(菜名) from 存单详单 where 存单ID=1"),
                  c.dishes);
        Database db;
        db.NewOpenDatabase(Database::primaryConnectionText(path, "tw"));
        EXPECT_TRUE(db.ExecuteSql("Delete * from 存单详单 where 存单ID=1")) << db.lastError();
        EXPECT_EQ(StorageConditions::firstText(db.connection(),
                                               "select count(*) from 存单详单 not indexed"),
                  "0")
            << "an order deleted leaves no lines behind";
    }
}

// Sums that no longer agree with the orders, as a hand-edited file or a fault
// may leave them: the check says so, adds them up again and says so no more.
TEST(EndToEnd, TheSumsCheckRepairsSumsThatDifferAndSaysWhatItFound) {
    ensureTestApplication();
    Installation install(QStringLiteral("tablewise_sums_"));
    install.start();
    ASSERT_TRUE(install.waitUntilSeeded());
    EXPECT_EQ(install.terminate(), 0);
    const std::string path = install.database().toStdString();
    {
        Database db;
        ASSERT_TRUE(db.NewOpenDatabase(Database::primaryConnectionText(path, "tw")));
        ASSERT_TRUE(db.ExecuteSql("insert into 存单 (编号,时间,合计,已付,实付) values "
                                  "(1,'2026-12-08 12:00:00',30.5,30.5,30.5)"))
            << db.lastError();
        ASSERT_TRUE(db.executeOwn("UPDATE 日汇总 SET 实付=实付+100")) << db.lastError();
    }
    const struct {
        const char* told;
        int exitCode;
    } runs[] = {
        {"汇总数据有 1 处与订单不符，已按订单重新汇总。\n", 0},
        {"汇总数据与订单一致。\n", 0},
    };
    for (const auto& run : runs) {
        QByteArray output;
        EXPECT_EQ(install.runWith({QStringLiteral("--check-sums")}, output), run.exitCode);
        EXPECT_EQ(output.toStdString(), run.told);
    }
    EXPECT_EQ(firstText(path, "select 实付 from 日汇总"), "3050") << "kept in fen";
}
