#include "orders/DemoDataGenerator.h"

#include "history/ChangeLog.h"
#include "orders/DishCache.h"
#include "orders/OrderStore.h"
#include "orders/TableCache.h"
#include "storage/engine/Database.h"
#include "storage/engine/DbTransaction.h"
#include "storage/values/Calendar.h"
#include "storage/values/Clock.h"
#include "storage/values/Values.h"

#include <cmath>
#include <iterator>

namespace {

constexpr double kTolerance = 0.0000001;

std::string timeText(int year, int month, int day, int hour, int minute) {
    return std::to_string(year) + "/" + std::to_string(month) + "/" + std::to_string(day) + " " +
           std::to_string(hour) + ":" + std::to_string(minute);
}

// What the owner is told for each refusal, in the order of the enumeration.
constexpr const char* refusalMessages[] = {
    "",
    "无法生成随机数据：菜单中没有价格大于0的菜品。\r\n请先在“菜单设置”中添加菜品。",
    "无法生成随机数据：既没有桌号也没有客户。\r\n请先在“桌号设置”或“客户设置”中添加。",
    "无法生成随机数据：读取客户列表失败，请稍后重试。",
};
static_assert(std::size(refusalMessages) ==
              std::size_t(DemoDataGenerator::Refusal::CustomersUnread) + 1);

} // namespace

DemoDataGenerator::DemoDataGenerator(Database& db, std::vector<Dish> dishes,
                                     std::vector<std::string> tables)
    : m_db(db), m_tables(std::move(tables)) {
    // A dish priced 0 or below never brings an order nearer its target, so
    // only the others are drawn; this also keeps every order loop finite.
    for (Dish& dish : dishes) {
        const double price = Values::textToNumber(dish.price);
        if (price > 0)
            m_pricedDishes.push_back({std::move(dish.name), std::move(dish.unit), price});
    }
}

std::vector<DemoDataGenerator::Dish> DemoDataGenerator::dishesOf(const DishCache& dishes) {
    std::vector<Dish> out;
    for (const ::Dish& dish : dishes.dishes())
        out.push_back({dish.name, dish.price, dish.unit});
    return out;
}

std::vector<std::string> DemoDataGenerator::tablesOf(const TableCache& tables) {
    std::vector<std::string> names;
    for (const TableCache::Table& table : tables.tables())
        names.push_back(table.name);
    return names;
}

DemoDataGenerator::Refusal DemoDataGenerator::prepare() {
    m_customers.clear();
    const ReadResult<Rows> customers = m_db.read("Select * from 客户");
    if (!customers)
        return Refusal::CustomersUnread;
    for (const Rows::Row row : *customers)
        m_customers.push_back({row["电话"].toText(), row["姓名"].toText(), row["地址"].toText()});
    if (m_pricedDishes.empty())
        return Refusal::NoPricedDish;
    if (m_tables.empty() && m_customers.empty())
        return Refusal::NowhereToServe;
    return Refusal::None;
}

std::string DemoDataGenerator::refusalMessage(Refusal refusal) {
    return refusalMessages[std::size_t(refusal)];
}

bool DemoDataGenerator::generate(int year, unsigned seed, const Progress& progress) {
    if (m_pricedDishes.empty() || (m_tables.empty() && m_customers.empty()))
        return false;
    m_random.seed(seed);
    m_ordersWritten = 0;
    m_failure.clear();
    m_now = m_db.clock().now();
    const long long before = orderCount(m_db, false);
    const int daysInYear = Calendar::daysInMonth(year, 2) == 29 ? 366 : 365;
    DbTransaction transaction(m_db);
    int daysDone = 0;
    if (!transaction.started())
        fail();
    for (int month = 1; month <= 12 && m_failure.empty(); ++month) {
        for (int day = 1; day <= Calendar::daysInMonth(year, month) && m_failure.empty() &&
                          DateTime{year, month, day} <= m_now.dateOnly();
             ++day) {
            generateDay(year, month, day);
            if (progress && !progress(++daysDone, daysInYear)) {
                m_ordersWritten = 0;
                return false;
            }
        }
    }
    const std::string record = "生成演示订单" + std::to_string(m_ordersWritten) + "张，之前有订单" +
                               std::to_string(before) + "张";
    if (m_failure.empty() &&
        (!ChangeLog(m_db).write({ChangeLog::Kind::DemoData, "", "", "", record}) ||
         !transaction.commit()))
        fail();
    if (m_failure.empty())
        return true;
    m_ordersWritten = 0;
    return false;
}

long long DemoDataGenerator::orderCount(Database& db, bool demoOnly) {
    const int handle = db.OpenTable(std::string("select count(*) from 存单") +
                                    (demoOnly ? " where 演示 = 1" : ""));
    const long long count =
        handle ? static_cast<long long>(db.ReadColByIndex(handle, 1).toNumber()) : -1;
    db.CloseTable(handle);
    return count;
}

long long DemoDataGenerator::removeDemoOrders(Database& db) {
    DbTransaction transaction(db);
    const long long count = transaction.started() ? orderCount(db, true) : -1;
    const bool removed =
        count >= 0 &&
        db.ExecuteSql(
            "Delete * from 存单详单 where 存单ID in (select ID from 存单 where 演示 = 1)") &&
        db.ExecuteSql(
            "Delete * from 厨房已送 where 存单ID in (select ID from 存单 where 演示 = 1)") &&
        db.ExecuteSql("Delete * from 存单 where 演示 = 1") &&
        ChangeLog(db).write({ChangeLog::Kind::DemoRemoval, "", "", "",
                             "删除演示订单" + std::to_string(count) + "张"}) &&
        transaction.commit();
    return removed ? count : -1;
}

void DemoDataGenerator::fail() {
    const std::string why = StorageFailures::reason(m_db.lastFailure());
    m_failure =
        "随机数据没有生成" + (why.empty() ? std::string() : "：" + why) + "。数据库没有改动。";
}

int DemoDataGenerator::random(int low, int high) {
    return low + static_cast<int>(m_random() % static_cast<unsigned>(high - low + 1));
}

void DemoDataGenerator::generateDay(int year, int month, int day) {
    const int target = random(120, 310);
    double sum = 0;
    for (int number = 1; sum < target && m_failure.empty(); ++number) {
        const int hour = random(1, 21);
        const int minute = random(1, 59);
        const std::string time = timeText(year, month, day, hour, minute);
        const bool stored = DateTime{year, month, day, hour, minute, 0} <= m_now;
        sum = std::trunc(sum + generateOrder(time, number, stored));
    }
}

double DemoDataGenerator::generateOrder(const std::string& time, int number, bool stored) {
    const int target = random(1, 20);
    double sum = 0;
    std::vector<const PricedDish*> lines;
    while (sum - target < -kTolerance) {
        const PricedDish& picked = m_pricedDishes[random(0, int(m_pricedDishes.size()) - 1)];
        lines.push_back(&picked);
        sum += picked.price;
    }
    const int place = random(1, 100);
    std::string table;
    Customer customer;
    if (place <= int(m_tables.size()))
        table = m_tables[place - 1];
    else if (m_customers.empty())
        table = m_tables[random(0, int(m_tables.size()) - 1)];
    else
        customer = m_customers[random(0, int(m_customers.size()) - 1)];
    if (stored && !store(time, number, sum, table, customer, lines))
        fail();
    return sum;
}

bool DemoDataGenerator::store(const std::string& time, int number, double sum,
                              const std::string& table, const Customer& customer,
                              const std::vector<const PricedDish*>& lines) {
    const std::string amount = Values::numberToText(sum);
    OrderStore::Order order{std::to_string(number),
                            "饿了么(第1联)",
                            "山东手工水饺",
                            time,
                            "无",
                            "0",
                            "0",
                            amount,
                            "现金支付",
                            amount,
                            amount,
                            table,
                            customer.phone,
                            customer.name,
                            customer.address,
                            "",
                            {},
                            {},
                            true};
    for (const PricedDish* line : lines)
        order.lines.push_back({line->name, "1", line->unit, Values::numberToText(line->price)});
    if (OrderStore(m_db).insert(order) == 0)
        return false;
    ++m_ordersWritten;
    return true;
}
