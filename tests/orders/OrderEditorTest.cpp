#include "orders/OrderEditor.h"
#include "history/StoredOrders.h"
#include "orders/OrderTime.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

class OrderEditorTest : public OnBothEngines {
  protected:
    void addRows() override {
        id = data.addOrder({.time = "2016-05-15 12:30:00",
                            .total = "45.5",
                            .paid = "40",
                            .table = "A1",
                            .telephone = "139",
                            .remark = "少辣"});
        data.addLine(id, "2016-05-15 12:30:00", "鱼香肉丝");
        data.addLine(id, "2016-05-15 12:30:00", "宫保鸡丁");
        idText = std::to_string(id);
    }

    OrderDraft draftFromLoad() {
        OrderDraft d = OrderEditor::loadedDraft(OrderDraft{}, *editor.loadOrder(idText),
                                                *editor.loadLines(idText, "2016年5月15日"),
                                                OrderTime::MonthDay);
        d.lines.push_back({});
        return d;
    }
    std::string column(const std::string& name) {
        return data.scalar("select " + name + " from 存单 where ID=" + idText);
    }
    int lineCount() { return data.count("select count(*) from 存单详单 where 存单ID=" + idText); }

    TestDatabase data{GetParam(), TestDatabase::Start::Template};
    OrderEditor editor{data.db};
    long long id = 0;
    std::string idText;
};

INSTANTIATE_TEST_SUITE_P(Engines, OrderEditorTest, bothEngines, engineName);

TEST_P(OrderEditorTest, LoadsTheRowAndTheLinesOfItsDay) {
    data.addLine(id, "2016-05-16 09:00:00", "另一天");
    const std::optional<StoredOrder> order = editor.loadOrder(idText);
    ASSERT_TRUE(order);
    EXPECT_EQ(order->total, "45.5");
    EXPECT_EQ(order->actuallyPaid, "40");
    EXPECT_EQ(order->table, "A1");
    EXPECT_EQ(order->remark, "少辣");
    EXPECT_EQ(order->time, (DateTime{2016, 5, 15, 12, 30, 0}));
    EXPECT_EQ(editor.loadLines(idText, "2016年5月15日")->size(), 2u);
    EXPECT_FALSE(editor.loadOrder("999999"));
}

TEST_P(OrderEditorTest, SaveKeepsIdYearAndReplacesLinesAndRemark) {
    OrderDraft f = draftFromLoad();
    f.remark = "不要香菜";
    f.lines = {{"水煮鱼", "1", "份", "38"}, {}};

    const OrderEditor::Result result = editor.saveEditedOrder(f);
    EXPECT_EQ(result.outcome, OrderEditor::Outcome::Saved);
    EXPECT_EQ(result.message, "修改成功。是否打印小票？");
    EXPECT_EQ(data.count("select count(*) from 存单"), 1);
    EXPECT_EQ(column("备注"), "不要香菜");
    EXPECT_EQ(column("时间"), "2016年5月15日12时30分");
    EXPECT_EQ(lineCount(), 1);
    const std::vector<StoredLine> lines =
        *StoredOrders(data.db).findOrderLines(idText, "2016年5月15日");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].dish, "水煮鱼");
    EXPECT_EQ(lines[0].subtotal, "38");
}

TEST_P(OrderEditorTest, AFailingLineChangesNothing) {
    OrderDraft f = draftFromLoad();
    f.remark = "改了";
    f.lines.insert(f.lines.begin(), {std::string(40, 'x'), "1", "份", "1"});

    const OrderEditor::Result result = editor.saveEditedOrder(f);
    EXPECT_EQ(result.outcome, OrderEditor::Outcome::Failed);
    EXPECT_FALSE(result.message.empty());
    EXPECT_EQ(lineCount(), 2);
    EXPECT_EQ(column("备注"), "少辣");
}

TEST_P(OrderEditorTest, RefusalsChangeNothing) {
    struct Case {
        void (*edit)(OrderDraft&);
        OrderEditor::Outcome outcome;
    };
    const Case cases[] = {
        {[](OrderDraft& f) { f.lines = {{}}; }, OrderEditor::Outcome::NoLines},
        {[](OrderDraft& f) {
             f.lines = {{"假", "1", "", ""}, {}};
         },
         OrderEditor::Outcome::NoLines},
        {[](OrderDraft& f) { f.number = "1,合计=0"; }, OrderEditor::Outcome::Failed},
        {[](OrderDraft& f) { f.number = ""; }, OrderEditor::Outcome::Failed},
        // The number rule settlement keeps: 1 to 9 digits, no sign.
        {[](OrderDraft& f) { f.number = "-5"; }, OrderEditor::Outcome::Failed},
        {[](OrderDraft& f) { f.number = "1234567890"; }, OrderEditor::Outcome::Failed},
        {[](OrderDraft& f) { f.orderTime = "明天"; }, OrderEditor::Outcome::Failed},
    };
    for (const Case& c : cases) {
        OrderDraft f = draftFromLoad();
        f.remark = "改了";
        c.edit(f);
        EXPECT_EQ(editor.saveEditedOrder(f).outcome, c.outcome);
        EXPECT_EQ(lineCount(), 2);
        EXPECT_EQ(column("备注"), "少辣");
    }
    OrderDraft gone = draftFromLoad();
    gone.orderId = "999999";
    EXPECT_EQ(editor.saveEditedOrder(gone).outcome, OrderEditor::Outcome::Failed);
}

TEST(OrderEditorTime, TheStoredYearStandsInForAYearTheBoxLeavesOut) {
    const DateTime stored{2016, 5, 15, 12, 30, 45};
    const std::pair<std::string, std::optional<DateTime>> cases[] = {
        {"05-15 12:30", stored},
        {"2016/05/15 12:30", stored},
        {"05-16 08:00", DateTime{2016, 5, 16, 8, 0, 0}},
        {"2018-01-02 09:05", DateTime{2018, 1, 2, 9, 5, 0}},
        {"", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(OrderEditor::resolveTime(text, stored), expected) << text;
}

} // namespace
