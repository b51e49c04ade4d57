#include "history/StoredOrders.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

class StoredOrdersTest : public OnBothEngines {
  protected:
    int lines(long long id) {
        return data.count("select count(*) from 存单详单 where 存单ID=" + std::to_string(id));
    }
    int orders() { return data.count("select count(*) from 存单"); }
    // A stored order with a line of each dish, sold at its time.
    long long orderOf(const std::vector<std::pair<std::string, std::string>>& timedDishes) {
        const long long id = data.addOrder({});
        for (const auto& [time, dish] : timedDishes)
            data.addLine(id, time, dish);
        return id;
    }

    TestDatabase data{GetParam(), TestDatabase::Start::Template};
    StoredOrders stored{data.db};
};

INSTANTIATE_TEST_SUITE_P(Engines, StoredOrdersTest, bothEngines, engineName);

TEST_P(StoredOrdersTest, DeleteRemovesTheOrderAndOnlyItsLines) {
    const long long kept = orderOf({{"2017-05-15 12:30:00", "鱼香肉丝"}});
    const long long gone =
        orderOf({{"2017-05-15 12:30:00", "鱼香肉丝"}, {"2017-05-15 12:30:00", "宫保鸡丁"}});

    EXPECT_TRUE(stored.deleteOrder(std::to_string(gone)));
    EXPECT_EQ(orders(), 1);
    EXPECT_EQ(lines(gone), 0);
    EXPECT_EQ(lines(kept), 1);
}

TEST_P(StoredOrdersTest, AFailedDeleteKeepsTheLines) {
    const long long id = orderOf({{"2017-05-15 12:30:00", "鱼香肉丝"}});
    // Without the order table the second statement fails after the first succeeded.
    ASSERT_TRUE(data.db.ExecuteSql("drop table 存单"));

    EXPECT_FALSE(stored.deleteOrder(std::to_string(id)));
    EXPECT_EQ(lines(id), 1);
}

TEST_P(StoredOrdersTest, LinesAreFoundByOrderAndSaleDate) {
    const long long id = orderOf({{"2017-05-15 12:30:00", "鱼香肉丝"},
                                  {"2017-05-15 23:59:59", "宫保鸡丁"},
                                  {"2017-05-16 00:10:00", "隔天的菜"}});
    orderOf({{"2017-05-15 12:30:00", "别的单"}});

    const std::string idText = std::to_string(id);
    const std::vector<StoredLine> found = *stored.findOrderLines(idText, "2017年5月15日");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].dish, "鱼香肉丝");
    EXPECT_EQ(found[0].quantity, "2");
    EXPECT_EQ(found[0].unit, "份");
    EXPECT_EQ(found[0].subtotal, "30");
    EXPECT_EQ(found[1].dish, "宫保鸡丁");
    EXPECT_TRUE(stored.findOrderLines(idText, "2017年05月15日")->empty());
    EXPECT_TRUE(stored.findOrderLines(idText, "x' or '1'='1")->empty());
}

TEST(StoredOrdersQuestion, NamesNumberAndDate) {
    EXPECT_EQ(StoredOrders::deleteQuestion("7", "2017年5月15日"),
              "订单编号：7\r\n订单时间：2017年5月15日\r\n\r\n是否删除该订单？");
}

} // namespace
