#include "ui/order/DemoDataAction.h"
#include "support/WindowTest.h"

namespace {

class DemoDataActionTest : public WindowTest {
  protected:
    DemoDataActionTest() : WindowTest(Start::FirstStart, DateTime{2023, 6, 1, 12, 0, 0}) {}

    int orderCount() { return count("select count(*) from 存单"); }
    bool run(std::vector<DemoDataGenerator::Dish> dishes, std::vector<std::string> tables) {
        return DemoDataAction::run(nullptr, db, std::move(dishes), std::move(tables), clock);
    }
};

TEST_F(DemoDataActionTest, RefusesBeforeAskingWhenNoDishHasAPrice) {
    EXPECT_FALSE(run({{"茶水", "0", "壶"}}, {"号牌 1"}));
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.lastText().startsWith("无法生成随机数据"));
    EXPECT_EQ(boxes.shown.last().icon, MessageBoxes::Icon::Information);
    EXPECT_EQ(orderCount(), 0);
}

TEST_F(DemoDataActionTest, AsksFirstAndStoresNothingOnNo) {
    boxes.answers = {false};
    EXPECT_FALSE(run({{"全家桶", "300", "桶"}}, {"号牌 1"}));
    EXPECT_EQ(boxes.lastText(), "是否生成随机数据？");
    EXPECT_EQ(boxes.shown.last().icon, MessageBoxes::Icon::Warning);
    EXPECT_EQ(orderCount(), 0);
}

TEST_F(DemoDataActionTest, GeneratesTheClocksYearOnYes) {
    boxes.answers = {true};
    EXPECT_TRUE(run({{"全家桶", "300", "桶"}}, {"号牌 1"}));
    EXPECT_GE(orderCount(), 365);
    const int handle = db.OpenTable("select count(*) from 存单 where 时间 < #2023/1/1#");
    EXPECT_EQ(db.ReadColByIndex(handle, 1).toInt(), 0);
    db.CloseTable(handle);
    EXPECT_EQ(boxes.shown.size(), 1);
}

} // namespace
