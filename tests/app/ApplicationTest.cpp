#include "app/Application.h"
#include "storage/values/Clock.h"
#include "storage/engine/Database.h"
#include "storage/config/DatabaseSettings.h"
#include "storage/config/IniFile.h"
#include "storage/config/ProgramFolder.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/ServerDatabase.h"
#include "support/TempFolder.h"
#include "support/TestApplication.h"

#include <QDir>
#include <QFile>
#include <deque>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

namespace {

class ApplicationStart : public ::testing::Test {
  protected:
    void SetUp() override { ensureTestApplication(); }

    TestProgramFolder folder;
    ScriptedMessageBoxes boxes;
    FixedClock clock{DateTime{2026, 12, 8, 9, 0, 0}};
};

} // namespace

TEST_F(ApplicationStart, DatabaseThatCannotBeUsedIsReportedAndLeftAlone) {
    QFile blocker(
        QString::fromStdString(folder.file("data"))); // a file where the data folder belongs
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Database db;
    EXPECT_FALSE(Application::openDatabase(db, clock));
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "数据库打开失败。");
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Error);

    ASSERT_TRUE(QFile::remove(blocker.fileName()));
    ASSERT_TRUE(QDir(QString::fromStdString(folder.path())).mkpath("data"));
    QFile damaged(QString::fromStdString(ProgramFolder::databasePath()));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    const QByteArray bytes = QByteArray("SQLite format 3\0", 16) + QByteArray(8000, '\x5A');
    damaged.write(bytes);
    damaged.close();
    EXPECT_FALSE(Application::openDatabase(db, clock));
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_EQ(boxes.shown[1].text,
              "数据库文件已损坏，程序不会使用也不会改动它。\r\n\r\n文件位置：" +
                  QString::fromStdString(ProgramFolder::databasePath()));
    ASSERT_TRUE(damaged.open(QIODevice::ReadOnly));
    EXPECT_TRUE(damaged.readAll() == bytes);
}

// A damaged database with automatic copies beside it, the newest of them
// damaged too: the owner is offered the newest sound one.
TEST_F(ApplicationStart, DamagedDatabaseOffersTheNewestSoundCopy) {
    for (const bool answer : {false, true}) {
        SCOPED_TRACE(answer ? "Yes" : "No");
        std::filesystem::remove_all(folder.file("data"));
        {
            Database db;
            ASSERT_TRUE(Application::openDatabase(db, clock));
            for (int i = 0; i < 3; ++i)
                ASSERT_TRUE(db.ExecuteSql("insert into 存单 (编号,时间) values (1,'2026-12-0" +
                                          std::to_string(i + 5) + " 12:00:00')"));
        }
        const std::string backups = folder.file("data/备份/");
        std::filesystem::create_directories(backups);
        std::filesystem::copy_file(ProgramFolder::databasePath(),
                                   backups + "data-20261207-210000.mdb",
                                   std::filesystem::copy_options::overwrite_existing);
        const std::string damaged = std::string("SQLite format 3\0", 16) + std::string(8000, 'Z');
        TempFolder::write(backups + "data-20261208-080000.mdb", damaged);
        TempFolder::write(ProgramFolder::databasePath(), damaged);
        boxes.shown.clear();
        boxes.answers = {answer};

        Database db;
        EXPECT_EQ(Application::openDatabase(db, clock), answer);
        ASSERT_EQ(boxes.shown.size(), 1);
        EXPECT_TRUE(boxes.shown[0].text.endsWith(
            "是否改用最新的完好自动备份？\r\n备份时间：2026-12-07 21:00:00\r\n订单：3 张\n"
            "第一张订单：2026-12-05 12:00:00\n最后一张订单：2026-12-07 12:00:00\r\n\r\n"
            "损坏的文件会保存到备份文件夹。"))
            << boxes.shown[0].text.toStdString();
        if (answer) {
            const int rs = db.OpenTable("select count(*) from 存单");
            EXPECT_EQ(db.ReadColByIndex(rs, 1).toInt(), 3);
            db.CloseTable(rs);
            EXPECT_EQ(TempFolder::read(backups + "恢复前-20261208-090000.mdb"), damaged);
        } else {
            EXPECT_EQ(TempFolder::read(ProgramFolder::databasePath()), damaged);
        }
    }
}

TEST_F(ApplicationStart, DatabaseOpensSeededWithReceiptSettings) {
    Database db;
    ASSERT_TRUE(Application::openDatabase(db, clock));
    EXPECT_TRUE(boxes.shown.isEmpty());
    for (const char* key : {"字体大小", "票头", "打印份数"}) {
        const int rs =
            db.OpenTable(std::string("Select 记录内容 from 记录 where 记录内容='") + key + "'");
        EXPECT_EQ(db.ReadColByIndex(rs, 1).toText(), key);
        db.CloseTable(rs);
    }
}

// The engine named in 配置文件.ini; a server that cannot be reached is retried
// as often as the owner asks, then the program ends without a window.
TEST_F(ApplicationStart, OpensTheChosenEngineOrSaysWhyNot) {
    std::optional<ServerDatabase> server;
    if (!ServerDatabase::server().empty())
        server.emplace();
    struct Case {
        std::string ini;
        std::deque<bool> answers; // 重试 or 退出
        bool opened;
        bool onServer;
        const char* told; // in every message shown
    };
    std::vector<Case> cases = {
        {"", {}, true, false, nullptr},
        {"[数据库]\r\n类型 = {mysql}\r\n", {}, false, false, "类型 = {mysql} 无法识别"},
        {"[数据库]\r\n类型 = {postgresql}\r\n连接 = {host=127.0.0.1 port=1 password=Pw9}\r\n",
         {true, false},
         false,
         false,
         "无法连接数据库服务器 127.0.0.1:1"},
    };
    if (server)
        cases.push_back({"[数据库]\r\n类型 = {postgresql}\r\n连接 = {" + server->connection() + "}",
                         {},
                         true,
                         true,
                         nullptr});
    for (const Case& c : cases) {
        TempFolder::write(ProgramFolder::iniPath(), c.ini);
        boxes.shown.clear();
        boxes.answers = c.answers;
        Database db;
        const DatabaseSettings settings = DatabaseSettings::load(IniFile(ProgramFolder::iniPath()));
        EXPECT_EQ(Application::openChosenDatabase(db, clock, settings), c.opened) << c.ini;
        EXPECT_EQ(db.isServer(), c.onServer) << c.ini;
        EXPECT_TRUE(boxes.answers.empty()) << c.ini;
        EXPECT_EQ(boxes.shown.size(), c.told ? std::max<qsizetype>(1, c.answers.size()) : 0)
            << c.ini;
        for (const auto& shown : boxes.shown) {
            EXPECT_TRUE(shown.text.contains(QString::fromUtf8(c.told))) << shown.text.toStdString();
            EXPECT_FALSE(shown.text.contains("Pw9"));
        }
    }
}
