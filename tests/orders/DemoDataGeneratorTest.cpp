#include "orders/DemoDataGenerator.h"
#include "history/StoredOrders.h"
#include "storage/values/Calendar.h"
#include "storage/values/Values.h"
#include "support/StorageConditions.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <map>

using Refusal = DemoDataGenerator::Refusal;

namespace {

constexpr int kYear = 2024; // a leap year: 366 days
constexpr unsigned kSeed = 20240101;

struct StoredOrder {
    std::string id;
    int number = 0;
    DateTime time;
    double paid = 0;
    double total = 0;
    std::string table, phone, name;
};

std::vector<std::string> tableNames(int count) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i)
        names.push_back("号牌 " + std::to_string(i));
    return names;
}

const std::vector<DemoDataGenerator::Dish> kCatalogue = {
    {"猪肉白菜水饺", "12", "份"}, {"Joe's 煎饺", "15", "盘"}, {"米饭", "2", "碗"},
    {"茶水", "0", "壶"},          {"酸梅汤", "6", "杯"},
};

class DemoDatabase : public TestDatabase {
  public:
    void addCustomer(const std::string& phone, const std::string& name) {
        TestDatabase::addCustomer(phone, name, name + "的家");
    }

    int count(const std::string& table) {
        return TestDatabase::count("select count(*) from " + table);
    }

    std::vector<StoredOrder> orders() {
        std::vector<StoredOrder> result;
        const int handle = db.OpenTable("Select * from 存单");
        for (; !db.IsEOF(handle); db.MoveNext(handle)) {
            auto text = [&](const char* column) {
                return db.ReadColByName(handle, column).toText();
            };
            result.push_back({text("ID"), db.ReadColByName(handle, "编号").toInt(),
                              db.ReadColByName(handle, "时间").toDateTime(),
                              db.ReadColByName(handle, "实付").toNumber(),
                              db.ReadColByName(handle, "合计").toNumber(), text("桌号"),
                              text("电话"), text("姓名")});
        }
        db.CloseTable(handle);
        return result;
    }
};

// One year generated once with a fixed seed, shared by the checks on its shape.
class DemoYearTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_store = new DemoDatabase;
        s_store->addCustomer("13500000001", "O'Brien");
        s_store->addCustomer("13500000002", "张三");
        s_store->addCustomer("13500000003", "李四");
        DemoDataGenerator generator(s_store->db, kCatalogue, tableNames(18));
        ASSERT_EQ(generator.prepare(), Refusal::None);
        s_progress.clear();
        ASSERT_TRUE(generator.generate(kYear, kSeed, [](int done, int total) {
            s_progress.emplace_back(done, total);
            return true;
        }));
        s_written = generator.ordersWritten();
        s_orders = s_store->orders();
    }
    static void TearDownTestSuite() {
        delete s_store;
        s_store = nullptr;
    }

    static std::map<DateTime, std::vector<const StoredOrder*>> ordersByDay() {
        std::map<DateTime, std::vector<const StoredOrder*>> days;
        for (const StoredOrder& order : s_orders)
            days[order.time.dateOnly()].push_back(&order);
        return days;
    }

    static inline DemoDatabase* s_store = nullptr;
    static inline std::vector<StoredOrder> s_orders;
    static inline std::vector<std::pair<int, int>> s_progress;
    static inline int s_written = 0;
};

TEST_F(DemoYearTest, EveryDayOfTheYearReachesItsTarget) {
    const auto days = ordersByDay();
    ASSERT_EQ(days.size(), 366u);
    EXPECT_EQ(days.begin()->first, (DateTime{kYear, 1, 1}));
    EXPECT_EQ(days.rbegin()->first, (DateTime{kYear, 12, 31}));
    for (const auto& [day, orders] : days) {
        double sum = 0;
        const StoredOrder* last = orders.front();
        for (const StoredOrder* order : orders) {
            sum += order->paid;
            if (order->number > last->number)
                last = order;
        }
        EXPECT_GE(sum, 120) << Values::dateToText(day);
        // The day stops at the first order that reaches a target of at most 310.
        EXPECT_LT(sum - last->paid, 310) << Values::dateToText(day);
    }
    EXPECT_EQ(int(s_orders.size()), s_written);
    EXPECT_GT(s_written, 3000);
}

TEST_F(DemoYearTest, NumbersRestartAtOneEveryDay) {
    for (const auto& [day, orders] : ordersByDay()) {
        std::vector<int> numbers;
        for (const StoredOrder* order : orders)
            numbers.push_back(order->number);
        std::sort(numbers.begin(), numbers.end());
        for (std::size_t i = 0; i < numbers.size(); ++i)
            ASSERT_EQ(numbers[i], int(i) + 1) << Values::dateToText(day);
    }
}

TEST_F(DemoYearTest, OrdersAreStoredAsSettlementStoresThem) {
    for (const StoredOrder& order : s_orders) {
        EXPECT_GE(order.time.hour, 1);
        EXPECT_LE(order.time.hour, 21);
        EXPECT_GE(order.time.minute, 1);
        EXPECT_LE(order.time.minute, 59);
        EXPECT_EQ(order.total, order.paid);
    }
    const int handle = s_store->db.OpenTable("Select * from 存单 where 编号=1");
    auto text = [&](const char* column) {
        return s_store->db.ReadColByName(handle, column).toText();
    };
    const std::pair<const char*, const char*> columns[] = {
        {"票头", "饿了么(第1联)"}, {"店铺名称", "山东手工水饺"}, {"减免", "无"},
        {"减免金额", "0"},         {"支付方式", "现金支付"},     {"备注", ""},
        {"是否结算", "真"}};
    for (const auto& [column, value] : columns)
        EXPECT_EQ(text(column), value) << column;
    s_store->db.CloseTable(handle);
}

TEST_F(DemoYearTest, EachOrdersLinesAreFoundByTheHistory) {
    StoredOrders stored(s_store->db);
    std::map<std::string, int> dishesSeen;
    for (std::size_t i = 0; i < s_orders.size(); i += 7) {
        const StoredOrder& order = s_orders[i];
        const auto lines = *stored.findOrderLines(order.id, Values::dateToText(order.time));
        ASSERT_FALSE(lines.empty()) << order.id;
        double sum = 0;
        for (const StoredLine& line : lines) {
            EXPECT_EQ(line.quantity, "1");
            sum += Values::textToNumber(line.subtotal);
            ++dishesSeen[line.dish];
        }
        EXPECT_EQ(sum, order.total) << order.id;
    }
    EXPECT_EQ(dishesSeen.count("茶水"), 0u);
    EXPECT_GT(dishesSeen["Joe's 煎饺"], 0);
    EXPECT_EQ(s_store->count("存单详单 where 小计 <= 0"), 0);
}

TEST_F(DemoYearTest, AboutAsManyTableOrdersAsTablesPerHundred) {
    int tableOrders = 0;
    std::map<std::string, int> customers;
    for (const StoredOrder& order : s_orders) {
        if (!order.table.empty()) {
            ++tableOrders;
            EXPECT_TRUE(order.phone.empty());
        } else {
            ++customers[order.name];
        }
    }
    const double share = double(tableOrders) / double(s_orders.size());
    EXPECT_GT(share, 0.15);
    EXPECT_LT(share, 0.21);
    EXPECT_EQ(customers.size(), 3u);
    EXPECT_GT(customers["O'Brien"], 0);
}

TEST_F(DemoYearTest, ReportsProgressForEveryDay) {
    ASSERT_EQ(s_progress.size(), 366u);
    EXPECT_EQ(s_progress.front(), std::make_pair(1, 366));
    EXPECT_EQ(s_progress.back(), std::make_pair(366, 366));
}

TEST(DemoDataGenerator, WithoutCustomersEveryOrderIsATableOrder) {
    DemoDatabase store;
    DemoDataGenerator generator(store.db, {{"全家桶", "300", "桶"}}, tableNames(3));
    ASSERT_EQ(generator.prepare(), Refusal::None);
    ASSERT_TRUE(generator.generate(2023, kSeed));
    const auto orders = store.orders();
    ASSERT_GT(orders.size(), 365u);
    for (const StoredOrder& order : orders) {
        EXPECT_FALSE(order.table.empty());
        EXPECT_TRUE(order.phone.empty());
    }
}

TEST(DemoDataGenerator, WithoutTablesEveryOrderIsADelivery) {
    DemoDatabase store;
    store.addCustomer("13600000000", "王五");
    DemoDataGenerator generator(store.db, {{"全家桶", "300", "桶"}}, {});
    ASSERT_EQ(generator.prepare(), Refusal::None);
    ASSERT_TRUE(generator.generate(2023, kSeed));
    for (const StoredOrder& order : store.orders()) {
        EXPECT_TRUE(order.table.empty());
        EXPECT_EQ(order.phone, "13600000000");
    }
}

TEST(DemoDataGenerator, RefusesWhatCannotReachATarget) {
    struct Case {
        const char* name;
        std::vector<DemoDataGenerator::Dish> dishes;
        int tables;
        bool customer;
        Refusal expected;
        bool customersUnreadable = false;
    };
    const Case cases[] = {
        {"empty catalogue", {}, 18, true, Refusal::NoPricedDish},
        {"no dish above 0",
         {{"茶水", "0", "壶"}, {"优惠", "-5", "次"}},
         18,
         true,
         Refusal::NoPricedDish},
        {"price not a number", {{"时价鱼", "时价", "条"}}, 18, true, Refusal::NoPricedDish},
        {"nowhere to serve", {{"米饭", "2", "碗"}}, 0, false, Refusal::NowhereToServe},
        {"customers unread", {{"米饭", "2", "碗"}}, 0, true, Refusal::CustomersUnread, true},
    };
    for (const Case& c : cases) {
        DemoDatabase store;
        if (c.customer)
            store.addCustomer("13700000000", "赵六");
        if (c.customersUnreadable)
            store.execute("drop table 客户");
        DemoDataGenerator generator(store.db, c.dishes, tableNames(c.tables));
        EXPECT_EQ(generator.prepare(), c.expected) << c.name;
        EXPECT_FALSE(DemoDataGenerator::refusalMessage(c.expected).empty()) << c.name;
        EXPECT_FALSE(generator.generate(2023, kSeed)) << c.name;
        EXPECT_EQ(store.count("存单"), 0) << c.name;
    }
}

TEST(DemoDataGenerator, StoppedOrFailedRunsLeaveTheDatabaseAsItWas) {
    const struct {
        const char* name;
        const char* unit;
        bool fillDisk;
        bool stop;
        const char* failure;
    } cases[] = {
        {"stopped", "桶", false, true, ""},
        {"a line that cannot be stored", "一个九个字的计量单位", false, false,
         "随机数据没有生成。数据库没有改动。"},
        {"a full disk", "桶", true, false,
         "随机数据没有生成：磁盘空间已满，请清理磁盘后重试。数据库没有改动。"},
    };
    for (const auto& c : cases) {
        DemoDatabase store;
        DemoDataGenerator generator(store.db, {{"全家桶", "300", c.unit}}, tableNames(2));
        ASSERT_EQ(generator.prepare(), Refusal::None);
        if (c.fillDisk)
            StorageConditions::fillDisk(store.db);
        EXPECT_FALSE(generator.generate(2023, kSeed, [&](int done, int) {
            return !c.stop || done < 40;
        })) << c.name;
        EXPECT_EQ(generator.failure(), c.failure) << c.name;
        EXPECT_EQ(store.count("存单"), 0) << c.name;
        EXPECT_EQ(store.count("存单详单"), 0) << c.name;
    }
}

TEST(DemoDataGenerator, KnowsTheLengthOfEveryMonth) {
    const int expected2023[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(Calendar::daysInMonth(2023, month), expected2023[month - 1]);
    EXPECT_EQ(Calendar::daysInMonth(2024, 2), 29);
    EXPECT_EQ(Calendar::daysInMonth(1900, 2), 28);
    EXPECT_EQ(Calendar::daysInMonth(2000, 2), 29);
}

} // namespace
