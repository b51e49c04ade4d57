// Storage first: its headers must not see the Qt keyword macros.
#include "storage/Clock.h"
#include "storage/Database.h"
#include "storage/ProgramFolder.h"
#include "storage/StorageStartup.h"

#include "ui/common/ScriptedMessageBoxes.h"
#include "ui/common/TestApplication.h"
#include "ui/order/DemoDataAction.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

class DemoDataActionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureTestApplication();
        ProgramFolder::setPath(m_folder.path().toStdString());
        ASSERT_TRUE(StorageStartup::openDatabase(m_db));
    }

    int orderCount() {
        const int handle = m_db.OpenTable("select count(*) from 存单");
        const int n = m_db.ReadColByIndex(handle, 1).toInt();
        m_db.CloseTable(handle);
        return n;
    }
    bool run(std::vector<DemoDataGenerator::Dish> dishes, std::vector<std::string> tables) {
        return DemoDataAction::run(nullptr, m_db, std::move(dishes), std::move(tables), m_clock);
    }

    QTemporaryDir m_folder;
    Database m_db;
    FixedClock m_clock{DateTime{2023, 6, 1, 12, 0, 0}};
    ScriptedMessageBoxes m_boxes;
};

TEST_F(DemoDataActionTest, RefusesBeforeAskingWhenNoDishHasAPrice) {
    EXPECT_FALSE(run({{"茶水", "0", "壶"}}, {"号牌 1"}));
    ASSERT_EQ(m_boxes.shown.size(), 1);
    EXPECT_TRUE(m_boxes.lastText().startsWith("无法生成随机数据"));
    EXPECT_EQ(m_boxes.shown.last().icon, MessageBoxes::Icon::Information);
    EXPECT_EQ(orderCount(), 0);
}

TEST_F(DemoDataActionTest, AsksFirstAndStoresNothingOnNo) {
    m_boxes.answers = {false};
    EXPECT_FALSE(run({{"全家桶", "300", "桶"}}, {"号牌 1"}));
    EXPECT_EQ(m_boxes.lastText(), "是否生成随机数据？");
    EXPECT_EQ(m_boxes.shown.last().icon, MessageBoxes::Icon::Warning);
    EXPECT_EQ(orderCount(), 0);
}

TEST_F(DemoDataActionTest, GeneratesTheClocksYearOnYes) {
    m_boxes.answers = {true};
    EXPECT_TRUE(run({{"全家桶", "300", "桶"}}, {"号牌 1"}));
    EXPECT_GE(orderCount(), 365);
    const int handle = m_db.OpenTable("select count(*) from 存单 where 时间 < #2023/1/1#");
    EXPECT_EQ(m_db.ReadColByIndex(handle, 1).toInt(), 0);
    m_db.CloseTable(handle);
    EXPECT_EQ(m_boxes.shown.size(), 1);
}

} // namespace
