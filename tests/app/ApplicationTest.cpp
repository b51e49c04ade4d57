#include "app/Application.h"
#include "storage/Clock.h"
#include "storage/Database.h"
#include "storage/ProgramFolder.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempFolder.h"
#include "support/TestApplication.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

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
