#include "orders/DishCache.h"
#include "orders/TableCache.h"
#include "support/StorageConditions.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> codesFound(const DishCache& dishes, const std::string& text) {
    std::vector<std::string> codes;
    for (int i : dishes.search(text))
        codes.push_back(dishes.dishes()[i].code);
    return codes;
}

} // namespace

TEST(DishCache, SearchesCodeAndLetterCodeBySubstring) {
    DishCache dishes;
    dishes.setDishes({{"红烧排骨饭", "18", "001", "hspgf", "份"},
                      {"茄子豆角", "14", "002", "qzdj", "份"},
                      {"数字菜", "9", "12", "a12", "份"},
                      {"王老吉", "3.5", "105", "wlj", "瓶"}});
    struct Case {
        const char* text;
        std::vector<std::string> codes;
    };
    const Case cases[] = {
        {"1", {"001", "12", "12", "105"}}, // a dish matching twice is listed twice
        {"0", {"001", "002", "105"}},
        {" 00 ", {"001", "002"}}, // trimmed
        {"s", {"001"}},
        {"S", {}}, // case-sensitive
        {"", {}},
        {"   ", {}},
        {"zz", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(codesFound(dishes, c.text), c.codes) << c.text;
}

TEST(DishCache, FindsTheFirstDishOfAName) {
    DishCache dishes;
    dishes.setDishes({{"茶", "1", "1", "c", "杯"}, {"茶", "2", "2", "c", "壶"}});
    ASSERT_NE(dishes.findByName("茶"), nullptr);
    EXPECT_EQ(dishes.findByName("茶")->price, "1");
    EXPECT_EQ(dishes.findByName("茶 "), nullptr);
}

TEST(TableCache, ChoosingByCodeStopsAtTheMatch) {
    TableCache tables;
    tables.setTables({{"1", "号牌 1"}, {"2", "号牌 2"}, {"101", "桌号 2楼1桌"}});
    struct Case {
        const char* code;
        std::vector<std::string> names;
        int selected;
    };
    const Case cases[] = {
        {"2", {"号牌 1", "号牌 2"}, 1},
        {"1", {"号牌 1"}, 0},
        {"10", {"号牌 1", "号牌 2", "桌号 2楼1桌"}, -1},
        {"", {"号牌 1", "号牌 2", "桌号 2楼1桌"}, -1},
        {" 2", {"号牌 1", "号牌 2", "桌号 2楼1桌"}, -1}, // exact, untrimmed
    };
    for (const Case& c : cases) {
        const TableCache::Choice choice = tables.chooseByCode(c.code);
        EXPECT_EQ(choice.names, c.names) << c.code;
        EXPECT_EQ(choice.selected, c.selected) << c.code;
    }
}

// A read that fails never empties the lists the cashier picks from.
TEST(DishCache, AFailedReadKeepsWhatWasThereAndSaysWhy) {
    TestDatabase data{TestDatabase::Start::Template};
    DishCache dishes;
    TableCache tables;
    const ReadResult<std::size_t> dishCount = dishes.load(data.db);
    const ReadResult<std::size_t> tableCount = tables.load(data.db);
    ASSERT_TRUE(dishCount && tableCount);
    ASSERT_GT(*dishCount, 0u);
    ASSERT_GT(*tableCount, 0u);
    StorageConditions::OtherWriter other(data.db, data.folder.file("data/data.mdb"));
    for (const StorageFailure failure :
         {dishes.load(data.db).failure(), tables.load(data.db).failure()})
        EXPECT_EQ(failure, StorageFailure::Busy);
    EXPECT_EQ(dishes.dishes().size(), *dishCount);
    EXPECT_EQ(tables.tables().size(), *tableCount);
}
