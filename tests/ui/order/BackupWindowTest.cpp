#include "support/MainWindowTest.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ServerDatabase.h"
#include "support/StorageConditions.h"
#include "support/TestApplication.h"

#include "history/ManagerPassword.h"
#include "storage/copies/BackupFolder.h"
#include "storage/engine/StorageStartup.h"
#include "storage/values/Values.h"
#include "ui/order/RestoreChoiceDialog.h"

#include <QLabel>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>
#include <sqlite3.h>

namespace fs = std::filesystem;

namespace {

using BackupWindow = MainWindowTest;

} // namespace

TEST_F(BackupWindow, FirstStartOfTheDayAndClosingEachLeaveACopy) {
    const std::string morning = folder.file("data/备份/data-20261208-123015.mdb");
    EXPECT_TRUE(QTest::qWaitFor([&] { return fs::exists(morning); }));
    EXPECT_EQ(window->form().backupPart->text(), "");
    clock.set({2026, 12, 8, 22, 0, 0});
    window->close();
    EXPECT_TRUE(fs::exists(folder.file("data/备份/data-20261208-220000.mdb")));
}

TEST_F(BackupWindow, FailedCopyIsToldInTheStatusBarAndTheTillGoesOn) {
    window.reset();
    fs::remove_all(folder.file("data/备份"));
    TempFolder::write(folder.file("data/备份"), "a file where the folder belongs");
    startWindow();
    EXPECT_EQ(window->form().backupPart->text(), "自动备份失败：文件夹无法创建。");
    edit("编辑框_项目代号")->setFocus();
    EXPECT_TRUE(window->isEnabled());
}

namespace {

// The main window with three orders stored, a copy of them taken by hand,
// and two more orders stored after it.
class RestoreWindow : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        for (const char* time :
             {"2026-12-01 11:00:00", "2026-12-05 12:00:00", "2026-12-08 09:00:00"})
            addOrder({.time = time});
        fs::create_directory(folder.file("U盘"));
        ScriptedFileDialogs dialogs(QString::fromStdString(copyPath));
        window->dataCopies().backUpByHand();
        addOrders(2);
    }
    std::string databaseBytes() const { return TempFolder::read(folder.file("data/data.mdb")); }
    std::string copyPath = folder.file("U盘/data-20261208-123015.mdb");
};

} // namespace

TEST_F(RestoreWindow, RestoredCopyBringsBackItsOrdersAndKeepsTheReplacedDatabase) {
    ASSERT_EQ(boxes.lastText(), QString::fromStdString("数据已备份到：\n" + copyPath));
    const std::string before = databaseBytes();
    boxes.answers = {true};
    ASSERT_TRUE(window->dataCopies().restoreFrom(QString::fromStdString(copyPath)));
    EXPECT_EQ(boxes.shown[boxes.shown.size() - 2].text,
              QString::fromStdString("用这份备份替换当前的全部数据？\n\n" + copyPath +
                                     "\n订单：3 张\n第一张订单：2026-12-01 11:00:00\n"
                                     "最后一张订单：2026-12-08 09:00:00\n\n"
                                     "当前的数据会先保存到备份文件夹。"));
    EXPECT_EQ(count("select count(*) from 存单"), 3);
    EXPECT_EQ(window->form().orderCountPart->text(), "今日打单数量：1");
    const std::string kept = folder.file("data/备份/恢复前-20261208-123015.mdb");
    EXPECT_EQ(TempFolder::read(kept), before);
    EXPECT_EQ(boxes.lastText(),
              QString::fromStdString("数据已恢复。\n\n原来的数据已保存为：\n" + kept));
    EXPECT_TRUE(db.ExecuteSql("insert into 存单 (编号,时间) values (4,'2026-12-08 12:40:00')"))
        << "the restored database takes new orders";
    EXPECT_EQ(count("select count(*) from 操作记录 where 操作 = '恢复数据' and 原内容 = " +
                    Values::sqlQuote("原数据已保存为：" + kept) +
                    " and 新内容 = " + Values::sqlQuote("恢复自：" + copyPath)),
              1);
    EXPECT_FALSE(ManagerPassword(db).isSet());
}

TEST_F(RestoreWindow, DamagedFileOrNoIsRefusedAndTheDatabaseStaysAsItWas) {
    const std::string copy = TempFolder::read(copyPath);
    sqlite3* other = nullptr;
    sqlite3_open(folder.file("other.db").c_str(), &other);
    sqlite3_exec(other, "create table 存单 (ID integer)", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    const std::string later = folder.file("later.mdb");
    TempFolder::write(later, copy);
    StorageConditions::makeLaterVersion(later);
    const struct {
        const char* name;
        std::string bytes;
        bool answer;
        const char* shown;
    } cases[] = {
        {"truncated", copy.substr(0, copy.size() / 2), false, "不能用来恢复"},
        {"random bytes", std::string(copy.size(), '\x5a'), false, "不能用来恢复"},
        {"empty", "", false, "不能用来恢复"},
        {"another program's database", TempFolder::read(folder.file("other.db")), false,
         "不能用来恢复"},
        {"a later version", TempFolder::read(later), false, "数据版本 99"},
        {"sound, owner says No", copy, false, "用这份备份替换当前的全部数据"},
        {"sound, backup folder blocked", copy, true, "恢复失败"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string before = databaseBytes();
        const std::string path = folder.file(std::string("offered-") + c.name + ".mdb");
        TempFolder::write(path, c.bytes);
        if (c.answer) {
            fs::remove_all(folder.file("data/备份"));
            TempFolder::write(folder.file("data/备份"), "a file where the folder belongs");
        }
        boxes.answers = {c.answer};
        EXPECT_FALSE(window->dataCopies().restoreFrom(QString::fromStdString(path)));
        EXPECT_TRUE(boxes.lastText().contains(QString::fromUtf8(c.shown)))
            << boxes.lastText().toStdString();
        EXPECT_EQ(databaseBytes(), before);
        EXPECT_EQ(count("select count(*) from 存单"), 5);
        EXPECT_FALSE(fs::exists(folder.file("data/data.mdb.restore")));
    }
}

TEST_F(RestoreWindow, ChoiceListsTheAutomaticCopiesWithTimeSizeAndOrders) {
    window->close();
    RestoreChoiceDialog dialog(BackupFolder::beside(folder.file("data/data.mdb")));
    ASSERT_EQ(dialog.list()->topLevelItemCount(), 1);
    const QTreeWidgetItem* item = dialog.list()->topLevelItem(0);
    EXPECT_EQ(item->text(0), "2026-12-08 12:30:15");
    EXPECT_FALSE(item->text(1).isEmpty());
    EXPECT_EQ(item->text(2), "5");
}

TEST_F(RestoreWindow, ASetManagerPasswordIsAskedBeforeTheSwap) {
    ASSERT_EQ(ManagerPassword(db, 1000).change("", "老板", "老板").outcome,
              ManagerPassword::Outcome::Set);
    const std::string before = databaseBytes();
    boxes.answers = {true};
    boxes.inputs = {"错的"};
    EXPECT_FALSE(window->dataCopies().restoreFrom(QString::fromStdString(copyPath)));
    EXPECT_EQ(boxes.lastText(), ManagerPassword::restoreRefused);
    EXPECT_EQ(databaseBytes(), before);
    EXPECT_EQ(count("select count(*) from 存单"), 5);

    boxes.answers = {true};
    boxes.inputs = {"老板"};
    EXPECT_TRUE(window->dataCopies().restoreFrom(QString::fromStdString(copyPath)));
    EXPECT_EQ(count("select count(*) from 存单"), 3);
    // The copy was taken before the password was set: it stays in force.
    const auto question = std::find_if(boxes.shown.rbegin(), boxes.shown.rend(), [](auto& shown) {
        return shown.text.startsWith("用这份备份替换当前的全部数据？");
    });
    ASSERT_NE(question, boxes.shown.rend());
    EXPECT_TRUE(question->text.endsWith(
        "当前的数据会先保存到备份文件夹。\n当前的管理密码会保留，恢复后仍然有效。"))
        << question->text.toStdString();
    EXPECT_TRUE(ManagerPassword(db).isSet());
    EXPECT_TRUE(ManagerPassword(db).accepts("老板"));
    EXPECT_FALSE(ManagerPassword(db).accepts(""));
    EXPECT_EQ(count("select count(*) from 操作记录 where 操作 = '恢复数据'"), 1);
}

// A till on a server copies no file: the server is backed up where it runs.
// Its own file can be brought over once, before the server holds orders.
TEST(ServerCopies, AreLeftToTheServerWhichTakesATillsFileOnce) {
    if (ServerDatabase::server().empty())
        GTEST_SKIP() << "TABLEWISE_TEST_SERVER is not set";
    ensureTestApplication();
    TestDatabase till;
    till.addOrder({});
    TestProgramFolder folder;
    ScriptedMessageBoxes boxes;
    ServerDatabase server;
    Database db;
    FixedClock clock{DateTime{2026, 12, 8, 9, 0, 0}};
    ASSERT_TRUE(StorageStartup::openServer(db, server.connection())) << db.lastError();
    QWidget window;
    DataCopies copies(
        db, clock, &window, [](const QString&) {}, [] {});
    copies.startAutomaticBackup();
    copies.backUpByHand();
    copies.chooseRestore();
    copies.backUpOnClosing();
    EXPECT_FALSE(fs::exists(folder.file("data")));
    ASSERT_EQ(boxes.shown.size(), 2);
    for (const auto& shown : boxes.shown)
        EXPECT_TRUE(shown.text.contains("由服务器那边备份")) << shown.text.toStdString();

    const std::string damaged = folder.file("damaged.mdb");
    TempFolder::write(damaged, "not a database");
    EXPECT_FALSE(copies.importFrom(QString::fromStdString(damaged)));
    EXPECT_TRUE(boxes.lastText().startsWith("这个文件不是完好的 Tablewise 数据，不能导入："));
    EXPECT_TRUE(boxes.lastText().endsWith(QString::fromStdString("。\n\n" + damaged)));

    const QString tillFile = QString::fromStdString(till.folder.file("data/data.mdb"));
    boxes.answers = {true};
    EXPECT_TRUE(copies.importFrom(tillFile)) << boxes.lastText().toStdString();
    const QString question = boxes.shown[boxes.shown.size() - 2].text;
    EXPECT_TRUE(question.startsWith("把这个文件的全部数据导入数据库服务器？\n\n" + tillFile + "\n"));
    EXPECT_TRUE(question.endsWith("\n\n服务器上现有的菜单、桌号、客户和设置会被替换。"));
    EXPECT_EQ(boxes.lastText(), "本地数据已导入数据库服务器。");
    EXPECT_FALSE(copies.importFrom(tillFile));
    EXPECT_TRUE(boxes.lastText().contains("已有 1 张订单")) << boxes.lastText().toStdString();
}
