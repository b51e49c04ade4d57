#include "ui/order/DemoDataAction.h"
#include "support/WindowTest.h"

#include "history/ManagerPassword.h"

#include <filesystem>

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
    EXPECT_EQ(boxes.lastText(),
              "是否生成随机数据？\n\n数据库中现有0张订单。生成的订单标为演示数据，"
              "日期不晚于现在，可以用“删除演示数据”全部删除。\n"
              "生成之前先把数据备份到备份文件夹。");
    EXPECT_EQ(boxes.shown.last().icon, MessageBoxes::Icon::Warning);
    EXPECT_EQ(orderCount(), 0);
}

TEST_F(DemoDataActionTest, GeneratesTheClocksYearOnYes) {
    boxes.answers = {true};
    EXPECT_TRUE(run({{"全家桶", "300", "桶"}}, {"号牌 1"}));
    // A dish of 300 makes one order a day, from New Year to the clock's noon.
    EXPECT_GE(orderCount(), 151);
    const int handle = db.OpenTable("select count(*) from 存单 where 时间 < #2023/1/1#");
    EXPECT_EQ(db.ReadColByIndex(handle, 1).toInt(), 0);
    db.CloseTable(handle);
    EXPECT_EQ(count("select count(*) from 存单 where 时间 > '2023-06-01 12:00:00'"), 0);
    EXPECT_EQ(count("select count(*) from 存单 where 演示 = 1"), orderCount());
    EXPECT_EQ(boxes.shown.size(), 1);
}

// With a password set, nothing is stored until it is given; then the orders,
// a copy of the database as it was and one change record. Removing the demo
// data afterwards leaves exactly the orders there were before.
TEST_F(DemoDataActionTest, AskThePasswordBackUpRecordAndRemoveExactlyTheDemoOrders) {
    ManagerPassword(db, 1000).change("", "老板", "老板");
    const long long real = addOrder({"2023-05-20 12:00:00", "30", "30", "A1"});
    addLine(real, "2023-05-20 12:00:00", "红烧排骨饭");
    const std::string copy = folder.file("data/备份/演示数据前/20230601-120000.mdb");
    const auto records = [&](const char* kind) {
        return count(std::string("select count(*) from 操作记录 where 操作 = '") + kind + "'");
    };

    boxes.answers = {true};
    boxes.inputs = {"错的"};
    EXPECT_FALSE(run({{"全家桶", "300", "桶"}}, {"号牌 1"}));
    EXPECT_EQ(boxes.lastText(), "管理密码不正确，没有生成随机数据。");
    EXPECT_EQ(orderCount(), 1);
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_EQ(records("生成演示数据"), 0);

    boxes.answers = {true};
    boxes.inputs = {"老板"};
    EXPECT_TRUE(run({{"全家桶", "300", "桶"}}, {"号牌 1"}));
    EXPECT_TRUE(boxes.shown[0].text.contains("数据库中现有1张订单。"));
    EXPECT_GE(orderCount(), 152);
    EXPECT_TRUE(std::filesystem::exists(copy));
    EXPECT_EQ(records("生成演示数据"), 1);
    EXPECT_EQ(count("select count(*) from 存单 where 时间 > '2023-06-01 12:00:00'"), 0);
    // A demo order edited and sent to the kitchen goes with what it was sent.
    for (const std::string& order :
         {std::string("(select max(ID) from 存单)"), std::to_string(real)})
        execute("insert into 厨房已送 (存单ID,出品部门,菜名,数量,单位) values (" + order +
                ",'厨房','全家桶',1,'桶')");

    boxes.answers = {true};
    boxes.inputs = {"老板"};
    EXPECT_TRUE(DemoDataAction::remove(nullptr, db));
    EXPECT_EQ(count("select ID from 存单"), real);
    EXPECT_EQ(orderCount(), 1);
    EXPECT_EQ(count("select count(*) from 存单详单"), 1);
    EXPECT_EQ(count("select 存单ID from 厨房已送"), real);
    EXPECT_EQ(count("select count(*) from 厨房已送"), 1);
    EXPECT_EQ(records("删除演示数据"), 1);
    EXPECT_FALSE(DemoDataAction::remove(nullptr, db));
    EXPECT_EQ(boxes.lastText(), "数据库中没有演示数据。");
}

} // namespace
