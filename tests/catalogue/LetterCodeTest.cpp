#include "catalogue/LetterCode.h"
#include "catalogue/LetterCodeTable.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    const char* code;
};

// Every dish the template database is seeded with, and its seeded letter code.
const Case seedDishes[] = {
    {"红烧排骨饭", "hspgf"},
    {"茄子豆角", "qzdj"},
    {"西红柿炒蛋", "xhscd"},
    {"金针菇肉片", "jzgrp"},
    {"白菜肉水饺", "bcrsj"},
    {"香菇猪肉水饺", "xgzrsj"},
    {"大葱猪肉水饺", "dczrsj"},
    {"攸县香干", "yxxg"},
    {"毛豆肉片", "mdrp"},
    {"莴笋腊肉", "wslr"},
    {"芹菜香干", "qcxg"},
    {"支竹焖鸭", "zzmy"},
    {"火腿双蛋", "htsd"},
    {"红烧鱼块", "hsyk"},
    {"酸菜鱼", "scy"},
    {"花菜肉片", "hcrp"},
    {"干煸四季度", "gbsjd"},
    {"农家一碗香", "njywx"},
    {"鱼香肉丝", "yxrs"},
    {"雪花纯生", "xhcs"},
    {"青岛纯生", "qdcs"},
    {"小瓶郎酒", "xplj"},
    {"旺仔牛奶", "wznn"},
    {"芙蓉王香烟黄色", "frwxyhs"},
    {"芙蓉王香烟蓝色硬盒", "frwxylsyh"},
    {"极品芙蓉王", "jpfrw"},
    {"王老吉", "wlj"},
    {"空心菜", "kxc"},
};

TEST(LetterCode, EverySeedDishGivesItsSeedCode) {
    for (const Case& dish : seedDishes)
        EXPECT_EQ(LetterCode::deriveLetterCode(dish.name), dish.code) << dish.name;
}

TEST(LetterCode, MixedTextKeepsAsciiAndDropsOtherSymbols) {
    const Case cases[] = {
        {"A套餐", "Atc"},           // upper case passes unchanged
        {"Coke 2L", "Coke 2L"},     // plain ASCII, blanks included
        {"中长水", "zcs"},          // zh, ch and sh give their first letter
        {"（大）", "d"},            // full-width brackets give nothing
        {"红烧，排骨。", "hspg"},   // full-width punctuation gives nothing
        {"　饺子　", "jz"},         // full-width blanks give nothing
        {"燒賣", ""},               // GBK hanzi outside GB2312
        {"饺子😀", "jz"},            // no GBK at all
        {"Joe's 饺子", "Joe's jz"}, // an apostrophe is an ordinary character
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LetterCode::deriveLetterCode(c.name), c.code) << c.name;
}

TEST(LetterCode, LowBytesWhileALeadBytePendsAreKept) {
    // A byte of 0x28 or less cannot complete a character: it is kept, and the
    // lead byte still waits for its partner.
    EXPECT_EQ(LetterCode::fromGbk("\xBA\x20\xEC"), " h");
    EXPECT_EQ(LetterCode::fromGbk("\xBA"), "");
}

TEST(LetterCodeTable, HoldsOneLowerCaseInitialForEachOfTheGb2312Hanzi) {
    int letters = 0;
    for (int lead = LetterCodeTable::firstLead; lead <= LetterCodeTable::lastLead; ++lead) {
        for (int trail = LetterCodeTable::firstTrail; trail <= LetterCodeTable::lastTrail;
             ++trail) {
            const char letter = LetterCodeTable::initial(lead, trail);
            const bool unassigned = lead == 0xD7 && trail >= 0xFA;
            if (unassigned) {
                EXPECT_EQ(letter, 0) << std::hex << lead << trail;
                continue;
            }
            EXPECT_TRUE(letter >= 'a' && letter <= 'z') << std::hex << lead << trail;
            ++letters;
        }
    }
    EXPECT_EQ(letters, 6763);
    EXPECT_EQ(LetterCodeTable::initial(0xA1, 0xA1), 0);
    EXPECT_EQ(LetterCodeTable::initial(0xB0, 0x40), 0);
}

} // namespace
