#include "orders/Settlement.h"
#include "catalogue/SoldOut.h"
#include "history/ChangeLog.h"
#include "history/StoredOrders.h"
#include "orders/OrderEditor.h"
#include "orders/OrderNumbering.h"
#include "orders/OwedReceipts.h"
#include "support/SampleOrders.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

class SettlementTest : public OnBothEngines, public TestDatabase {
  protected:
    SettlementTest() : TestDatabase(GetParam()) {}

    int count(const std::string& table) {
        return TestDatabase::count("select count(*) from " + table);
    }

    Settlement::Result store(const OrderDraft& d) { return settlement.store(d); }

    Settlement settlement{db, clock};
};

INSTANTIATE_TEST_SUITE_P(Engines, SettlementTest, bothEngines, engineName);

TEST_P(SettlementTest, StoresTheOrderRowWithItsValues) {
    OrderDraft d = threeDishOrder();
    d.discountAmount = "10.0";
    const auto result = store(d);
    ASSERT_EQ(result.outcome, Settlement::Outcome::Done) << result.message;
    const auto stored =
        rows("select * from 存单",
             {"ID", "编号", "票头", "店铺名称", "时间", "减免", "减免份数", "减免金额", "合计",
              "支付方式", "已付", "实付", "桌号", "电话", "姓名", "地址", "是否结算", "备注"});
    ASSERT_EQ(stored.size(), 1u);
    const Row expected{{"ID", std::to_string(result.orderId)},
                       {"编号", "1"},
                       {"票头", "微信点餐"},
                       {"店铺名称", "白云快餐"},
                       {"时间", "2026年12月8日12时30分"},
                       {"减免", "立减优惠"},
                       {"减免份数", "1"},
                       {"减免金额", "10"},
                       {"合计", "82"},
                       {"支付方式", "微信支付"},
                       {"已付", "72"},
                       {"实付", "72"},
                       {"桌号", "号牌 3"},
                       {"电话", "13800001111"},
                       {"姓名", "张三"},
                       {"地址", "人民路 88 号"},
                       {"是否结算", "真"},
                       {"备注", "少放辣"}};
    EXPECT_EQ(stored[0], expected);
}

TEST_P(SettlementTest, StoresOneLinePerDishUnderTheNewOrder) {
    OrderDraft d = threeDishOrder();
    d.lines.insert(d.lines.begin() + 1, OrderLine{"假", "1", "份", "5"});
    const auto result = store(d);
    ASSERT_EQ(result.outcome, Settlement::Outcome::Done) << result.message;
    const auto lines = rows("select * from 存单详单 order by ID",
                            {"存单ID", "销售时间", "菜名", "数量", "单位", "小计"});
    const std::string id = std::to_string(result.orderId);
    const std::string time = "2026年12月8日12时30分";
    EXPECT_EQ(lines, (std::vector<Row>{
                         {{"存单ID", id},
                          {"销售时间", time},
                          {"菜名", "红烧排骨饭"},
                          {"数量", "2"},
                          {"单位", "份"},
                          {"小计", "36"}},
                         {{"存单ID", id},
                          {"销售时间", time},
                          {"菜名", "香菇猪肉水饺"},
                          {"数量", "1"},
                          {"单位", "碗"},
                          {"小计", "16"}},
                         {{"存单ID", id},
                          {"销售时间", time},
                          {"菜名", "西红柿炒蛋"},
                          {"数量", "3"},
                          {"单位", "份"},
                          {"小计", "30"}},
                     }));
}

TEST_P(SettlementTest, AmountsAreStoredToTheFenWithTheRoundingApart) {
    const struct {
        const char* paid;
        const char* rounding;
        const char* storedRounding;
    } cases[] = {
        {"15.25", "", ""}, {"78", "0.5", "0.5"}, {"79", "-0.5", "-0.5"}, {"55.55", "", ""}};
    for (const auto& c : cases) {
        OrderDraft d = deliveryOrder("1", {{"白菜肉水饺", "1", "份", "15.5"}, {}}, "15.5", c.paid);
        d.discountAmount = "0.25";
        d.rounding = c.rounding;
        const auto result = store(d);
        ASSERT_EQ(result.outcome, Settlement::Outcome::Done) << result.message;
        const Row expected{{"合计", "15.5"},
                           {"减免金额", "0.25"},
                           {"已付", c.paid},
                           {"实付", c.paid},
                           {"抹零金额", c.storedRounding}};
        EXPECT_EQ(rows("select * from 存单 where ID=" + std::to_string(result.orderId),
                       {"合计", "减免金额", "已付", "实付", "抹零金额"})
                      .at(0),
                  expected);
    }
    EXPECT_EQ(scalar("select sum(小计) from 存单详单"), "62");
    EXPECT_EQ(nextOrderNumber(db, clock.now())->incomeCaption(), "今日收入总额：227.8");
}

TEST_P(SettlementTest, SettledFlagFollowsTheActuallyPaidAmount) {
    const struct {
        const char* actuallyPaid;
        const char* flag;
    } cases[] = {{"0", "假"}, {"", "假"}, {"0.00000001", "假"}, {"72", "真"}, {"-5", "真"}};
    for (const auto& c : cases) {
        OrderDraft d = threeDishOrder();
        d.actuallyPaid = c.actuallyPaid;
        const auto result = store(d);
        ASSERT_EQ(result.outcome, Settlement::Outcome::Done) << c.actuallyPaid;
        const auto flag =
            rows("select * from 存单 where ID=" + std::to_string(result.orderId), {"是否结算"});
        EXPECT_EQ(flag.at(0).at("是否结算"), c.flag) << c.actuallyPaid;
    }
}

TEST_P(SettlementTest, CustomerIsCreatedThenCounted) {
    ASSERT_EQ(store(threeDishOrder()).outcome, Settlement::Outcome::Done);
    const std::vector<std::string> columns{"电话", "姓名", "地址", "最近订餐日期", "订餐次数"};
    EXPECT_EQ(rows("select * from 客户", columns),
              (std::vector<Row>{{{"电话", "13800001111"},
                                 {"姓名", "张三"},
                                 {"地址", "人民路 88 号"},
                                 {"最近订餐日期", "2026年12月8日12时30分"},
                                 {"订餐次数", "1"}}}));

    ASSERT_TRUE(db.ExecuteSql("update 客户 set 订餐次数 = 3"));
    OrderDraft again = threeDishOrder();
    again.number = "2";
    again.orderTime = "12-08 18:05";
    again.name = "李四";
    again.address = "别处";
    ASSERT_EQ(store(again).outcome, Settlement::Outcome::Done);
    EXPECT_EQ(rows("select * from 客户", columns),
              (std::vector<Row>{{{"电话", "13800001111"},
                                 {"姓名", "张三"},
                                 {"地址", "人民路 88 号"},
                                 {"最近订餐日期", "2026年12月8日18时5分"},
                                 {"订餐次数", "4"}}}))
        << "a known customer keeps name and address";
}

TEST_P(SettlementTest, OrderWithoutTelephoneTouchesNoCustomer) {
    OrderDraft d = threeDishOrder();
    d.telephone.clear();
    ASSERT_EQ(store(d).outcome, Settlement::Outcome::Done);
    EXPECT_EQ(count("客户"), 0);
}

TEST_P(SettlementTest, ApostrophesAreStoredAsTyped) {
    OrderDraft d = threeDishOrder();
    d.remark = "Joe's '); delete from 存单; --";
    d.name = "O'Neil";
    d.lines[0].dishName = "Chef's rice";
    ASSERT_EQ(store(d).outcome, Settlement::Outcome::Done);
    EXPECT_EQ(rows("select * from 存单", {"备注"}).at(0).at("备注"), d.remark);
    EXPECT_EQ(rows("select * from 客户", {"姓名"}).at(0).at("姓名"), "O'Neil");
    EXPECT_EQ(rows("select * from 存单详单 where 菜名='Chef''s rice'", {"菜名"}).size(), 1u);
}

TEST_P(SettlementTest, RefusedOrdersStoreNothingAndSayWhy) {
    const struct {
        const char* what;
        void (*change)(OrderDraft&);
        const char* says;
    } cases[] = {
        {"empty number", [](OrderDraft& d) { d.number = " "; }, "编号"},
        {"number with statement text", [](OrderDraft& d) { d.number = "1,1) --"; }, "编号"},
        {"time that is no date", [](OrderDraft& d) { d.orderTime = "午饭时间"; }, "下单时间"},
        // What a column cannot hold is named before anything is written.
        {"quantity beyond the column", [](OrderDraft& d) { d.lines[2].quantity = "40000"; },
         "第 3 行的数量必须在 -32768 到 32767 之间"},
        {"dish name beyond the column",
         [](OrderDraft& d) { d.lines[1].dishName = std::string(40, 'x'); },
         "第 2 行的菜名最多 32 个字"},
        {"portions beyond the column", [](OrderDraft& d) { d.discountPortions = "99999"; },
         "减免份数必须在"},
        {"remark beyond the column",
         [](OrderDraft& d) {
             d.remark.clear();
             for (int i = 0; i < 256; ++i)
                 d.remark += "辣";
         },
         "备注最多 255 个字"},
        {"telephone beyond the column",
         [](OrderDraft& d) {
             d.telephone = "13800001111-1234"
                           "5";
         },
         "电话最多 16 个字"},
        {"amount beyond the column", [](OrderDraft& d) { d.discountAmount = "1e20"; },
         "减免金额超出了可以保存的数值范围"},
    };
    for (const auto& c : cases) {
        OrderDraft d = threeDishOrder();
        c.change(d);
        const auto result = store(d);
        EXPECT_EQ(result.outcome, Settlement::Outcome::NotStored) << c.what;
        EXPECT_NE(result.message.find(c.says), std::string::npos)
            << c.what << ": " << result.message;
        EXPECT_EQ(count("存单"), 0) << c.what;
        EXPECT_EQ(count("存单详单"), 0) << c.what;
        EXPECT_EQ(count("客户"), 0) << c.what;
    }
}

TEST_P(SettlementTest, ColumnsCountCharactersNotBytes) {
    OrderDraft d = threeDishOrder();
    d.remark.clear();
    for (int i = 0; i < 255; ++i)
        d.remark += "辣";
    EXPECT_EQ(store(d).outcome, Settlement::Outcome::Done);
}

TEST_P(SettlementTest, LinesBelongToTheRowJustInserted) {
    // An older order with the same time and number must not collect the lines.
    ASSERT_TRUE(db.ExecuteSql("insert into 存单 (编号,时间) values (1,'05-15 12:30')"));
    const auto result = store(threeDishOrder());
    ASSERT_EQ(result.outcome, Settlement::Outcome::Done);
    const auto ids = rows("select * from 存单 order by ID", {"ID"});
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(ids[1].at("ID"), std::to_string(result.orderId));
    const auto owners = rows("select * from 存单详单", {"存单ID"});
    ASSERT_EQ(owners.size(), 3u);
    for (const Row& owner : owners)
        EXPECT_EQ(owner.at("存单ID"), ids[1].at("ID"));
}

TEST_P(SettlementTest, SettlePrintsWithCopiesAfterStoring) {
    std::vector<bool> printed;
    int storedWhenPrinting = -1;
    const auto print = [&](bool withCopies) {
        printed.push_back(withCopies);
        storedWhenPrinting = count("存单");
        return printed.size() == 1;
    };
    EXPECT_EQ(settlement.settle(threeDishOrder(), print).outcome, Settlement::Outcome::Done);
    EXPECT_EQ(storedWhenPrinting, 1);
    OrderDraft second = threeDishOrder();
    second.number = "2";
    EXPECT_EQ(settlement.settle(second, print).outcome, Settlement::Outcome::NotPrinted)
        << "a cancelled print keeps the stored order";
    EXPECT_EQ(count("存单"), 2);
    const auto record = rows("select * from 操作记录", {"操作", "编号"});
    ASSERT_EQ(record.size(), 1u) << "only the receipt that did not print is recorded";
    EXPECT_EQ(record[0].at("操作"), ChangeLog::kindName(ChangeLog::Kind::NotPrinted));
    EXPECT_EQ(record[0].at("编号"), "2");
    EXPECT_EQ(printed, (std::vector<bool>{true, true}));
}

TEST_P(SettlementTest, PrintOnlyStoresNothingButItsRecord) {
    const auto print = [&](const std::function<bool()>& startJob) { return startJob(); };
    EXPECT_EQ(settlement.printOnly(threeDishOrder(), print).outcome, Settlement::Outcome::Done);
    EXPECT_EQ(count("存单"), 0);
    EXPECT_EQ(count("操作记录"), 1);
}

TEST_P(SettlementTest, EmptyOrderIsRefusedByBothCommands) {
    OrderDraft d = threeDishOrder();
    d.lines = {{}};
    bool printed = false;
    const auto print = [&](bool) { return printed = true; };
    const auto printOne = [&](const std::function<bool()>&) { return printed = true; };
    for (const auto& result : {settlement.settle(d, print), settlement.printOnly(d, printOne)}) {
        EXPECT_EQ(result.outcome, Settlement::Outcome::NoDishes);
        EXPECT_EQ(result.message, "无法完成，还没有选择任何菜品。");
    }
    EXPECT_FALSE(printed);
    EXPECT_EQ(count("存单"), 0);
}

// A dish with so many left today is sold until none is left; an order of the
// day deleted or edited gives back or takes what it changes.
TEST_P(SettlementTest, SoldOutDishesAreCountedDownAndNeverBelowZero) {
    SoldOut soldOut(db);
    const DateTime day{2026, 12, 8};
    ASSERT_TRUE(soldOut.mark("酸菜鱼", 2, day));
    const auto order = [](const std::string& quantity) {
        return deliveryOrder("1", {{"酸菜鱼", quantity, "份", "16"}, {"王老吉", "1", "瓶", "3.5"}},
                             "19.5", "19.5");
    };
    const auto left = [&] { return (*soldOut.marks(day))["酸菜鱼"]; };
    const Settlement::Result first = store(order("1"));
    ASSERT_EQ(first.outcome, Settlement::Outcome::Done) << first.message;
    ASSERT_EQ(store(order("1")).outcome, Settlement::Outcome::Done);
    const Settlement::Result third = store(order("1"));
    EXPECT_EQ(third.outcome, Settlement::Outcome::NotStored);
    EXPECT_EQ(third.message, "“酸菜鱼”今日已估清，什么也没有保存，订单仍保留在屏幕上。");
    EXPECT_EQ(count("存单"), 2);
    EXPECT_EQ(left(), 0);

    ASSERT_TRUE(StoredOrders(db).deleteOrder(std::to_string(first.orderId)));
    EXPECT_EQ(left(), 1) << "given back";
    const long long second = first.orderId + 1;
    OrderDraft edited = order("2");
    edited.orderId = std::to_string(second);
    ASSERT_EQ(OrderEditor(db).saveEditedOrder(edited).outcome, OrderEditor::Outcome::Saved);
    EXPECT_EQ(left(), 0) << "1 given back, 2 taken";
    edited = order("3");
    edited.orderId = std::to_string(second);
    const OrderEditor::Result more = OrderEditor(db).saveEditedOrder(edited);
    EXPECT_EQ(more.outcome, OrderEditor::Outcome::Failed);
    EXPECT_EQ(more.message, "“酸菜鱼”今日只剩 2 份，订单点了 3 份，订单没有修改。");
    EXPECT_EQ(left(), 0);
    EXPECT_EQ(scalar("select sum(数量) from 存单详单 where 菜名='酸菜鱼'"), "2");
}

TEST(SoldOut, AnOrderAtMidnightBelongsToTheDayBefore) {
    const struct {
        DateTime time, day;
    } cases[] = {
        {{2026, 12, 8, 12, 30, 0}, {2026, 12, 8}}, {{2026, 12, 9, 0, 0, 0}, {2026, 12, 8}},
        {{2026, 12, 9, 0, 0, 1}, {2026, 12, 9}},   {{2027, 1, 1, 0, 0, 0}, {2026, 12, 31}},
        {{2028, 3, 1, 0, 0, 0}, {2028, 2, 29}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SoldOut::dayOf(c.time), c.day) << c.time.canonical();
}

// What the order window offers to print again as it opens: today's orders
// whose last word was "not printed" at this till, until a reprint anywhere.
TEST_P(SettlementTest, ReceiptsStillOwedAreTheLastNotPrintedHereToday) {
    using K = ChangeLog::Kind;
    struct Word {
        K kind;
        const char* till; // nullptr: this till
    };
    const struct {
        const char* name;
        std::vector<Word> words;
        bool deleted;
        bool owed;
    } cases[] = {
        {"not printed", {{K::NotPrinted, nullptr}}, false, true},
        {"printed again", {{K::NotPrinted, nullptr}, {K::Reprint, nullptr}}, false, false},
        {"printed again elsewhere",
         {{K::NotPrinted, nullptr}, {K::Reprint, "二号台"}},
         false,
         false},
        {"again not printed",
         {{K::NotPrinted, nullptr}, {K::Reprint, nullptr}, {K::NotPrinted, nullptr}},
         false,
         true},
        {"another till's", {{K::NotPrinted, "二号台"}}, false, false},
        {"deleted since", {{K::NotPrinted, nullptr}}, true, false},
        {"a kitchen ticket", {{K::KitchenNotPrinted, nullptr}}, false, false},
    };
    const std::string here = db.tillName();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(execute("Delete * from 操作记录"));
        const Settlement::Result stored = store(threeDishOrder());
        ASSERT_EQ(stored.outcome, Settlement::Outcome::Done);
        const std::string id = std::to_string(stored.orderId);
        for (const Word& word : c.words) {
            db.setTillName(word.till ? word.till : here);
            ASSERT_TRUE(ChangeLog(db).write({word.kind, id, "1", {}, {}}));
        }
        db.setTillName(here);
        if (c.deleted)
            ASSERT_TRUE(StoredOrders(db).deleteOrder(id));
        const auto owed = OwedReceipts::today(db, 0);
        ASSERT_TRUE(owed) << owed.error();
        ASSERT_EQ(owed->size(), c.owed ? 1u : 0u);
        if (c.owed) {
            EXPECT_EQ(owed->front().orderId, id);
            EXPECT_EQ(owed->front().table, "号牌 3");
            ASSERT_EQ(owed->front().lines.size(), 3u) << "every line, as stored";
            EXPECT_EQ(owed->front().lines[2].subtotal, "30");
        }
    }
    // Yesterday's are for the history, not for the cashier at the counter.
    ASSERT_TRUE(execute("Delete * from 操作记录"));
    ASSERT_TRUE(
        execute("insert into 操作记录 (时间,操作,收银台,存单ID) values ('2000-01-01 12:00:00','" +
                std::string(ChangeLog::kindName(K::NotPrinted)) + "','" + here + "'," +
                scalar("select max(ID) from 存单") + ")"));
    const auto yesterdays = OwedReceipts::today(db, 0);
    ASSERT_TRUE(yesterdays);
    EXPECT_TRUE(yesterdays->empty());
    // A record table that cannot be read is not "nothing owed".
    ASSERT_TRUE(execute("drop table 操作记录"));
    EXPECT_FALSE(OwedReceipts::today(db, 0));
}

} // namespace
