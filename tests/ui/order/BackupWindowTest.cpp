#include "support/MainWindowTest.h"

#include <QLabel>
#include <QTest>

#include <filesystem>

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
