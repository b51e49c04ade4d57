#include "SpreadsheetTest.h"

#include "spreadsheet/MenuFile.h"
#include "spreadsheet/MenuImport.h"
#include "storage/values/TextCodec.h"
#include "support/StorageConditions.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>

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
    {5, Kind::Refused, "", "价格不能为空，请输入价格后重试。"},
    {6, Kind::Change, "hspgf", "价格：18 → 20"},
    {7, Kind::Same, "qzdj", ""},
    {8, Kind::Refused, "", "菜名已经存在，不能重复添加。"},
    {9, Kind::Add, "lp", ""},
    {11, Kind::Refused, "", "菜名不能超过32个字。"},
    {12, Kind::Refused, "", "“菜品名称”中含有控制字符（打印机会把它当作指令），请删除后重试。"},
};

// A workbook of one sheet, the least a spreadsheet program writes.
void writeWorkbook(const std::string& path, const std::string& sheet) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    zip_source_t* source = zip_source_buffer(archive, sheet.data(), sheet.size(), 0);
    ASSERT_GE(zip_file_add(archive, "xl/worksheets/sheet1.xml", source, ZIP_FL_ENC_UTF_8), 0);
    ASSERT_EQ(zip_close(archive), 0);
}

std::string sheetOf(const std::string& rows) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet "
           "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" +
           rows + "</sheetData></worksheet>";
}

std::string inlineCell(const std::string& reference, const std::string& text) {
    return "<c r=\"" + reference + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}

// The menu's headings in A to D, and a far cell on the same row when given.
std::string headingRow(const std::string& far = {}) {
    return "<row r=\"1\">" + inlineCell("A1", "数字代号") + inlineCell("B1", "菜名") +
           inlineCell("C1", "价格") + inlineCell("D1", "单位") + far + "</row>";
}

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
    execute("insert into 出品部门 (名称,打印机连接,热敏打印模式,份数,纸宽) values "
            "('厨房','tcp:127.0.0.1:9100','文字',1,80)");
    execute("update 菜单 set 出品部门 = '厨房' where 代码 = '005'");
    for (const std::string name : {"菜单.xlsx", "菜单.csv"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(MenuFile::write(db, file(name)), WriteResult::Written);
        const auto preview = previewOf(file(name));
        EXPECT_EQ(preview.count(Kind::Same), 28);
        EXPECT_FALSE(preview.anythingToStore());
    }
}

TEST_F(MenuImportTest, StationsAreImportedWhenTheFileNamesThemAndKeptWhenItDoesNot) {
    execute("insert into 出品部门 (名称,打印机连接,热敏打印模式,份数,纸宽) values "
            "('厨房','tcp:127.0.0.1:9100','文字',1,80)");
    execute("update 菜单 set 出品部门 = '厨房' where 代码 = '001'");
    writeBytes(file("部门.csv"), "数字代号,菜名,价格,单位,出品部门\r\n"
                                 "005,白菜肉水饺,15.5,份,厨房\r\n"
                                 "401,拍黄瓜,8,份,凉菜\r\n"
                                 "002,茄子豆角,14,份,\r\n");
    const auto named = previewOf(file("部门.csv"));
    ASSERT_EQ(named.entries.size(), 3u);
    EXPECT_EQ(named.entries[0].kind, Kind::Change);
    EXPECT_EQ(named.entries[0].note, "出品部门： → 厨房");
    EXPECT_EQ(named.entries[1].kind, Kind::Refused);
    EXPECT_EQ(named.entries[1].note, "没有出品部门“凉菜”。");
    EXPECT_EQ(named.entries[2].kind, Kind::Same);
    EXPECT_EQ(MenuImport(db).apply(named, {}), WriteResult::Written);
    EXPECT_EQ(scalar("select 出品部门 from 菜单 where 代码 = '005'"), "厨房");

    writeBytes(file("菜单.csv"), menu);
    EXPECT_EQ(MenuImport(db).apply(previewOf(file("菜单.csv")), {}), WriteResult::Written);
    EXPECT_EQ(scalar("select 价格 from 菜单 where 代码 = '001'"), "20");
    EXPECT_EQ(scalar("select 出品部门 from 菜单 where 代码 = '001'"), "厨房");
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

    // A catalogue that cannot be read would make every dish look new.
    writeBytes(file("菜单.csv"), menu);
    StorageConditions::OtherWriter other(db, TestDatabase::folder.file("data/data.mdb"));
    EXPECT_EQ(previewOf(file("菜单.csv")).problem,
              "读取现有菜单失败：数据库正被其他程序使用，请稍后重试。没有导入任何菜品。");
}

TEST_F(MenuImportTest, FilesPastTheLimitsOrInvalidInTheirEncodingAreRefusedNamingTheRow) {
    const std::string gbkHeading = TextCodec::utf8ToGbk("数字代号,菜名,价格,单位\r\n");
    std::string manyRows = "数字代号,菜名,价格,单位\r\n";
    for (int i = 2; i <= 100'001; ++i)
        manyRows += std::to_string(i) + "\n";
    std::string wideRow = "数字代号,菜名,价格,单位";
    wideRow += std::string(16'381, ',') + "x\r\n";
    const std::string fourCells = headingRow().substr(0, headingRow().size() - 6);
    struct Case {
        const char* name;
        std::string content;
        const char* problem;
    } cases[] = {
        {"标记后是GBK.csv",
         "\xEF\xBB\xBF数字代号,菜名,价格,单位\r\n301,葱油饼,6,个\r\n" +
             TextCodec::utf8ToGbk("302,凉皮,8,份\r\n"),
         "第3行的文字不是有效的UTF-8编码，请把文件另存为UTF-8编码的CSV后重试。"},
        {"坏GBK.csv", gbkHeading + "301,\xFF\xFE,6,\xB8\xF6\r\n",
         "第2行的文字不是有效的GBK编码，请把文件另存为UTF-8编码的CSV后重试。"},
        {"太多行.csv", manyRows, "表格超过了100000行，不像是一份菜单。"},
        {"太多列.csv", wideRow, "第1行的单元格超出了表格的范围（最多16384列）。"},
        {"XFE列.xlsx", sheetOf(fourCells + inlineCell("XFE1", "备注") + "</row>"),
         "第1行的单元格超出了表格的范围（最多16384列）。"},
        {"极远的列.xlsx", sheetOf(fourCells + inlineCell("ZZZZZZZZZZZZZZ1", "备注") + "</row>"),
         "第1行的单元格超出了表格的范围（最多16384列）。"},
        {"解压后太大.xlsx", sheetOf(headingRow() + std::string(65 << 20, ' ')),
         "这个Excel文件解压后太大，不像是一份菜单。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (std::string(c.name).ends_with(".xlsx"))
            writeWorkbook(file(c.name), c.content);
        else
            writeBytes(file(c.name), c.content);
        std::string problem;
        EXPECT_FALSE(MenuFile::read(file(c.name), problem));
        EXPECT_EQ(problem, c.problem);
    }
}

TEST_F(MenuImportTest, EachKindOfBadPriceHasItsOwnReasonAndNumberCodesFindTheirDish) {
    ASSERT_TRUE(db.ExecuteSql("insert into 菜单 (代码,字母,菜名,价格,单位) values "
                              "('03','xc','小菜',3,'份')"));
    writeBytes(file("价格.csv"), "数字代号,菜名,价格,单位\r\n"
                                 "401,甲,十块,份\r\n"
                                 "402,乙,=2*3,份\r\n"
                                 "403,丙,nan,份\r\n"
                                 "404,丁,1e308,份\r\n"
                                 "405,戊,1e309,份\r\n"
                                 "406,己,100000,份\r\n"
                                 "407,庚,0,份\r\n"
                                 "408,辛,-3,份\r\n"
                                 "409,壬,0.04,份\r\n"
                                 "410,癸, ,份\r\n"
                                 "1,红烧排骨饭,20,份\r\n"
                                 "2,茄子豆角,14,份\r\n"
                                 "3,新菜,5,份\r\n"
                                 "411,贵菜,99999.9,份\r\n");
    const std::string notANumber = "不是数字，请输入价格后重试。";
    const std::string tooLarge = "价格不能超过99999.9，请输入价格后重试。";
    const std::string notPositive = "价格不能小于或者等于0，请输入价格后重试。";
    const std::pair<Kind, std::string> expected[] = {
        {Kind::Refused, "价格“十块”" + notANumber},
        {Kind::Refused, "价格“=2*3”" + notANumber},
        {Kind::Refused, "价格“nan”" + notANumber},
        {Kind::Refused, tooLarge},
        {Kind::Refused, tooLarge},
        {Kind::Refused, tooLarge},
        {Kind::Refused, notPositive},
        {Kind::Refused, notPositive},
        {Kind::Refused, notPositive},
        {Kind::Refused, "价格不能为空，请输入价格后重试。"},
        {Kind::Change, "数字代号1按菜单中的001读取。价格：18 → 20"},
        {Kind::Same, "数字代号2按菜单中的002读取。"},
        // 003 and 03 both pad to 3: neither is taken for it.
        {Kind::Add, ""},
        {Kind::Add, ""},
    };
    const auto preview = previewOf(file("价格.csv"));
    ASSERT_EQ(preview.entries.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(preview.entries[i].line);
        EXPECT_EQ(preview.entries[i].kind, expected[i].first);
        EXPECT_EQ(preview.entries[i].note, expected[i].second);
    }
    EXPECT_EQ(preview.entries[10].dish.code, "001");
}

// Cells in the last column of a sheet once made every row as wide as the
// sheet: a small workbook took more memory than the till has.
TEST_F(MenuImportTest, AWorkbookWithCellsInTheLastColumnIsReadInLittleMemory) {
    {
        std::string rows = headingRow(inlineCell("XFD1", "备注"));
        for (int i = 2; i <= 60'000; ++i) {
            const std::string n = std::to_string(i);
            rows += "<row r=\"" + n + "\">" +
                    inlineCell("A" + n, std::to_string(i * 7919 % 99991)) +
                    inlineCell("B" + n, "菜" + std::to_string(i * 31 % 65521)) + "<c r=\"C" + n +
                    "\"><v>" + std::to_string(i % 97 + 1) + "</v></c>" + inlineCell("D" + n, "份") +
                    "<c r=\"XFD" + n + "\"><v>" + n + "</v></c></row>";
        }
        writeWorkbook(file("宽.xlsx"), sheetOf(rows));
    }
    ASSERT_GE(std::filesystem::file_size(file("宽.xlsx")), 250u << 10);
    const pid_t child = fork();
    if (child == 0) {
        std::string problem;
        const auto table = MenuFile::read(file("宽.xlsx"), problem);
        const auto preview = MenuImport(db).preview(table ? *table : SheetTable{});
        _exit(table && preview.entries.size() == 59'999 ? 0 : 1);
    }
    int status = 0;
    rusage usage{};
    ASSERT_EQ(wait4(child, &status, 0, &usage), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_LT(usage.ru_maxrss, 100 << 10) << "kB at the peak";
}

} // namespace
