#include "orders/DeliveryCustomer.h"
#include "orders/DishCache.h"
#include "orders/OrderDefaults.h"
#include "orders/OrderTime.h"
#include "orders/TableCache.h"
#include "storage/config/SettingsStore.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

class OrderStorage : public ::testing::Test, public TestDatabase {};

TEST_F(OrderStorage, DefaultsRoundTripAndAbsentOnesReadEmpty) {
    SettingsStore settings(db);
    const OrderDefaults fresh = OrderDefaults::load(settings);
    EXPECT_EQ(fresh.header, "微信点餐");
    EXPECT_EQ(fresh.shop, "白云快餐");
    EXPECT_EQ(fresh.discountName, "");
    EXPECT_EQ(fresh.discountPortions, "");
    EXPECT_EQ(fresh.paymentIndex, 0);

    const OrderDefaults saved{"美团(第1联)", "O'Neil's", "开业酬宾", "2", "8", 3};
    saved.save(settings);
    saved.save(settings);
    const OrderDefaults loaded = OrderDefaults::load(settings);
    EXPECT_EQ(loaded.header, saved.header);
    EXPECT_EQ(loaded.shop, saved.shop);
    EXPECT_EQ(loaded.discountName, saved.discountName);
    EXPECT_EQ(loaded.discountPortions, "2");
    EXPECT_EQ(loaded.discountAmount, "8");
    EXPECT_EQ(loaded.paymentIndex, 3);
    EXPECT_EQ(scalar("select count(*) from 记录 where 记录内容='付款方式'"), "1");
}

TEST_F(OrderStorage, PaymentIndexOutsideTheMethodsReadsAsCash) {
    SettingsStore settings(db);
    for (const char* stored : {"6", "-1", "x"}) {
        settings.set("付款方式", stored);
        EXPECT_EQ(OrderDefaults::load(settings).paymentIndex, 0) << stored;
    }
}

TEST_F(OrderStorage, TimeFormatChoice) {
    SettingsStore settings(db);
    EXPECT_EQ(OrderTime::loadChoice(settings), 0);
    OrderTime::storeChoice(settings, 2);
    EXPECT_EQ(OrderTime::loadChoice(settings), 2);
    EXPECT_EQ(settings.get("时间格式", ""), "2");
}

TEST_F(OrderStorage, CustomerLookupAndSave) {
    using Saved = DeliveryCustomer::Saved;
    EXPECT_EQ(DeliveryCustomer::saveNew(db, "  ", "张三", "人民路").outcome, Saved::Skipped);
    EXPECT_EQ(DeliveryCustomer::saveNew(db, "138", " ", "　").outcome, Saved::Skipped);
    EXPECT_EQ(DeliveryCustomer::saveNew(db, " 138 ", " 张三 ", "D'Arcy Road").outcome,
              Saved::Added);
    EXPECT_EQ(DeliveryCustomer::saveNew(db, "138", "李四", "别处").outcome, Saved::Skipped);

    const DeliveryCustomer known = *DeliveryCustomer::lookupCustomerByPhone(db, "138 ");
    EXPECT_EQ(known.name, "张三");
    EXPECT_EQ(known.address, "D'Arcy Road");
    const DeliveryCustomer unknown = *DeliveryCustomer::lookupCustomerByPhone(db, "1381");
    EXPECT_EQ(unknown.name, "");
    EXPECT_EQ(unknown.address, "");
    EXPECT_EQ(DeliveryCustomer::lookupCustomerByPhone(db, "' or '1'='1")->name, "");
}

TEST_F(OrderStorage, CachesLoadTheSeedCatalogueAndTables) {
    DishCache dishes;
    dishes.load(db);
    ASSERT_EQ(dishes.dishes().size(), 28u);
    const Dish& fifth = dishes.dishes()[4];
    EXPECT_EQ(fifth.name, "白菜肉水饺");
    EXPECT_EQ(fifth.price, "15.5");
    EXPECT_EQ(fifth.code, "005");
    EXPECT_EQ(fifth.letters, "bcrsj");
    EXPECT_EQ(fifth.unit, "份");

    TableCache tables;
    tables.load(db);
    ASSERT_EQ(tables.tables().size(), 18u);
    EXPECT_EQ(tables.tables()[1].code, "2");
    EXPECT_EQ(tables.tables()[1].name, "号牌 2");

    execute("Delete * from 菜单 where ID>0");
    dishes.load(db);
    EXPECT_TRUE(dishes.dishes().empty());
    EXPECT_TRUE(dishes.search("1").empty());
}
