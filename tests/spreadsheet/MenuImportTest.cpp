#include "SpreadsheetTest.h"

#include "spreadsheet/MenuFile.h"
#include "spreadsheet/MenuImport.h"
#include "storage/values/TextCodec.h"

namespace {

using Kind = MenuImport::Kind;

// Columns in another order than the catalogue's, and no letter codes.
const std::string menu =
    "菜名,数字代号,价格,单位\r\n"
    "葱油饼,301,12.55,个\r\n"
    "老王's 牛肉面,302,20,碗\r\n"
    "鸡蛋饼,301,8,个\r\n"
    "素包子,303,,个\r\n"
    "红烧排骨饭,001,20,份\r\n"
    "茄子豆角, 002 ,14,份\r\n"
    "酸菜鱼,304,16,份\r\n"
    "\"凉皮\",305,9,张\r\n"
    ",,,\r\n"
    "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三,306,9,份\r\n"
    "可乐\x1Bp0\x19\x19,307,3,瓶\r\n";

struct Expected {
    int line;
    Kind kind;
    const char* letters;
    const char* note;
};

const Expected expected[] = {
    {2, Kind::Add, "cyb", ""},
    {3, Kind::Add, "lw's nrm", ""},
    {4, Kind::Refused, "jdb", "数字代号与第2行重复。"},
    {5, Kind::Refused, "", "价格不能小于或者等于0，请输入价格后重试。"},
    {6, Kind::Change, "hspgf", "价格：18 → 20"},
    {7, Kind::Same, "qzdj", ""},
    {8, Kind::Refused, "", "菜名已经存在，不能重复添加。"},
    {9, Kind::Add, "lp", ""},
    {11, Kind::Refused, "", "菜名不能超过32个字。"},
    {12, Kind::Refused, "", "“菜品名称”中含有控制字符（打印机会把它当作指令），请删除后重试。"},
};

class MenuImportTest : public SpreadsheetTest {
  protected:
    MenuImport::Preview previewOf(const std::string& path) {
        std::string problem;
        const auto table = MenuFile::read(path, problem);
        EXPECT_TRUE(table) << problem;
        return MenuImport(db).preview(table ? *table : SheetTable{});
    }
    int dishes() { return count("select count(*) from 菜单"); }
};

TEST_F(MenuImportTest, PreviewSortsRowsByTheRulesOfAddingByHandInUtf8AndGbk) {
    writeBytes(file("菜单.csv"), menu);
    writeBytes(file("菜单-gbk.csv"), TextCodec::utf8ToGbk(menu));
    for (const std::string name : {"菜单.csv", "菜单-gbk.csv"}) {
        SCOPED_TRACE(name);
        const auto preview = previewOf(file(name));
        ASSERT_EQ(preview.entries.size(), std::size(expected));
        for (std::size_t i = 0; i < std::size(expected); ++i) {
            const auto& entry = preview.entries[i];
            SCOPED_TRACE(expected[i].line);
            EXPECT_EQ(entry.line, expected[i].line);
            EXPECT_EQ(entry.kind, expected[i].kind);
            EXPECT_EQ(entry.note, expected[i].note);
            if (entry.kind != Kind::Refused)
                EXPECT_EQ(entry.dish.letters, expected[i].letters);
        }
        EXPECT_EQ(preview.entries[0].dish.priceText(), "12.6");
        EXPECT_EQ(preview.newUnits, (std::vector<std::string>{"张"}));
        EXPECT_EQ(MenuImport::summary(preview),
                  "新增3项，修改1项，不变1项，不能导入5项。将新增计量单位：张。");
    }
}

TEST_F(MenuImportTest, ImportStoresExactlyTheAcceptedRowsOrNothingWhenCancelled) {
    writeBytes(file("菜单.csv"), menu);
    const auto preview = previewOf(file("菜单.csv"));
    const auto cancel = [](long long, long long) { return false; };
    EXPECT_EQ(MenuImport(db).apply(preview, cancel), WriteResult::Cancelled);
    EXPECT_EQ(dishes(), 28);
    EXPECT_EQ(count("select count(*) from 单位 where 单位名称 = '张'"), 0);

    EXPECT_EQ(MenuImport(db).apply(preview, {}), WriteResult::Written);
    EXPECT_EQ(dishes(), 31);
    EXPECT_EQ(scalar("select 价格 from 菜单 where 代码 = '301'"), "12.6");
    EXPECT_EQ(scalar("select 菜名 from 菜单 where 代码 = '302'"), "老王's 牛肉面");
    EXPECT_EQ(scalar("select 价格 from 菜单 where 代码 = '001'"), "20");
    EXPECT_EQ(scalar("select 字母 from 菜单 where 代码 = '001'"), "hspgf");
    EXPECT_EQ(count("select count(*) from 菜单 where 代码 in ('303','304','306','307')"), 0);
    EXPECT_EQ(count("select count(*) from 单位 where 单位名称 = '张'"), 1);
}

TEST_F(MenuImportTest, ExportedMenuImportsBackUnchanged) {
    for (const std::string name : {"菜单.xlsx", "菜单.csv"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(MenuFile::write(db, file(name)), WriteResult::Written);
        const auto preview = previewOf(file(name));
        EXPECT_EQ(preview.count(Kind::Same), 28);
        EXPECT_FALSE(preview.anythingToStore());
    }
}

TEST_F(MenuImportTest, FilesThatCannotBeImportedSayWhy) {
    struct Case {
        const char* content;
        const char* problem;
    } cases[] = {
        {"菜名,价格\r\n葱油饼,3\r\n",
         "文件的第一行没有找到这些列：数字代号、单位。第一行应是列名：数字代号、字母代号、菜名、"
         "价格、单位。"},
        {"数字代号,菜名,价格,单位\r\n", "文件中没有可以导入的菜品。"},
        {"", "文件中没有可以导入的菜品。"},
    };
    for (const auto& c : cases) {
        writeBytes(file("坏.csv"), c.content);
        EXPECT_EQ(previewOf(file("坏.csv")).problem, c.problem);
    }
    writeBytes(file("坏.xlsx"), "PK\x03\x04 not really a workbook");
    std::string problem;
    EXPECT_FALSE(MenuFile::read(file("坏.xlsx"), problem));
    EXPECT_EQ(problem, "无法读取这个Excel文件，请另存为.xlsx或.csv后重试。");
}

} // namespace
