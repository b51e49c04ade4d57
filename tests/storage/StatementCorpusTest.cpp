// Every statement shape the program sends, run on a seeded database with a
// few orders, each checked by what it returns or by what it leaves behind.
#include "storage/engine/Database.h"
#include "storage/schema/Schema.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const char* const orderInsert =
    "insert into 存单 "
    "(编号,票头,店铺名称,时间,减免,减免份数,减免金额,合计,支付方式,已付,实付,桌号,电话,姓名,地址,"
    "是否结算,备注) values (";
const char* const lineInsert =
    "insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) values (";

struct Case {
    const char* what;
    std::vector<std::string> statements; // executed first, each must succeed
    std::string query;                   // its result is compared
    std::string expected;                // rows "a|b|c" joined by "; "
};

std::vector<Case> corpus() {
    const std::string day = " 时间>cdate('2017年5月15日') and 时间<=cdate('2017年5月16日')";
    const std::string dayWhole =
        "时间>cdate('2017年5月15日0时0分0秒') and 时间<=cdate('2017年5月15日23时59分59秒')";
    const std::string saleDay =
        "销售时间>cdate('2017年5月15日0时0分0秒') and 销售时间<=cdate('2017年5月15日23时59分59秒')";
    auto page = [](const std::string& table, const std::string& fragment, int g, int e) {
        return "select top " + std::to_string(g) + " * from (select top " + std::to_string(e) +
               " * from " + table + (fragment.empty() ? "" : " where" + fragment.substr(4)) +
               " order by [id])order by [id] desc";
    };
    const std::string idsOfOrders = "select ID from 存单 order by ID";
    return {
        // start-up and the lists behind the drop-downs
        {"tables", {}, "Select * from 桌号", "1|1|号牌 1; 2|2|号牌 2; 3|3|号牌 3; +15"},
        {"dishes",
         {},
         "Select * from 菜单",
         // The last column is the dish's kitchen station, none at first.
         "1|001|hspgf|红烧排骨饭|18|份|; 2|002|qzdj|茄子豆角|14|份|; "
         "3|003|xhscd|西红柿炒蛋|13|份|; "
         "+25"},
        {"discounts", {}, "Select * from 减免", "1|立减优惠; 2|整单折扣; 3|开业酬宾; +1"},
        {"shop names",
         {},
         "Select * from 店名",
         "1|山东手工水饺; 2|老北方饺子馆; 3|农家大碗茶; +2"},
        {"headers",
         {},
         "Select * from 票头设置",
         "1|饿了么(第1联); 2|美团(第1联); 3|百度外卖(第1联); +3"},
        {"units", {}, "Select * from 单位", "1|份; 2|碗; 3|碟; +7"},
        {"remark probe", {}, "Select [备注] from [存单]", "; 少辣; ; +1"},
        // settings
        {"settings get", {}, "Select 记录信息 from 记录 where 记录内容='票头'", "微信点餐"},
        {"settings exists", {}, "Select 记录内容 from 记录 where 记录内容='字体大小'", "字体大小"},
        {"settings update",
         {"update 记录 set 记录信息 = '美团(第1联)' where 记录内容 = '票头'"},
         "Select 记录信息 from 记录 where 记录内容='票头'",
         "美团(第1联)"},
        {"settings insert",
         {"insert into 记录 (记录内容,记录信息) values ('时间格式','2')"},
         "Select 记录信息 from 记录 where 记录内容='时间格式'",
         "2"},
        // order entry
        {"customer lookup",
         {},
         "Select * from 客户 where 电话='1380000'",
         "1|1380000|张三|北京路1号|2017年5月15日18时5分|1"},
        {"customer save",
         {"insert into 客户 (电话,姓名,地址) values ('139','李四','')"},
         "select 电话,姓名,地址,最近订餐日期,订餐次数 from 客户 where 电话='139'",
         "139|李四|||"},
        // settlement
        {"next order number", {}, "Select max(编号) from 存单 where " + day, "2"},
        {"next order number, no orders",
         {},
         "Select max(编号) from 存单 where  时间>cdate('2020年1月1日') and "
         "时间<=cdate('2020年1月2日')",
         ""},
        {"today's count", {}, "select count(*) from 存单 where " + day, "2"},
        {"today's income", {}, "SELECT sum(实付) FROM 存单 where " + day, "50"},
        {"order insert, short time",
         {orderInsert +
          std::string("3,'微信点餐','白云快餐','05-15 "
                      "12:30','',0,0,12.5,'现金支付',12.5,12.5,'号牌 1','','','','1','')")},
         "Select * from 存单 where 时间=#05-15 12:30# and 编号=3",
         "5|3|微信点餐|白云快餐|2026年5月15日12时30分||0|0|12.5|现金支付|12.5|12.5|号牌 1||||真||||假|"},
        {"order found by its time",
         {},
         "Select * from 存单 where 时间=#2017-05-15 12:30# and 编号=1",
         "1|1|微信点餐|白云快餐|2017年5月15日12时30分||0|0|30.5|现金支付|30|30|号牌 1||||真||||假|"},
        {"order line insert",
         {lineInsert + std::string("1,'2017-05-15 12:30','西红柿炒蛋',2,'份',26)")},
         "select 存单ID,销售时间,菜名,数量,单位,小计 from 存单详单 where 菜名='西红柿炒蛋'",
         "1|2017年5月15日12时30分|西红柿炒蛋|2|份|26"},
        {"new customer",
         {"insert into 客户 (电话,姓名,地址,最近订餐日期,订餐次数) values "
          "('137','王五','南京路','05-15 12:30',1)"},
         "Select * from 客户 where 电话='137'",
         "2|137|王五|南京路|2026年5月15日12时30分|1"},
        {"returning customer",
         {"update 客户 set 最近订餐日期 = '2017-06-02 09:07',订餐次数 =2 where 电话 = '1380000'"},
         "Select * from 客户 where 电话='1380000'",
         "1|1380000|张三|北京路1号|2017年6月2日9时7分|2"},
        // editing a stored order
        {"order by ID",
         {},
         "Select * from 存单 where ID =2",
         "2|2|美团(第1联)|白云快餐|2017年5月15日18时5分|立减优惠|1|5|25|微信支付|20|20||1380000|"
         "张三|北京路1号|真|少辣|||假|"},
        {"edit: lines removed",
         {"Delete * from 存单详单 where 存单ID =2"},
         "select count(*) from 存单详单 where 存单ID=2",
         "0"},
        {"edit: order rewritten",
         {"update 存单 set 编号=2,票头='饿了么(第1联)',店铺名称='白云快餐',时间='2017/5/15 "
          "18:05',减免='',减免份数=0,减免金额=0,"
          "合计=25.5,支付方式='现金支付',已付=25.5,实付=25.5,桌号='',电话='1380000',姓名='张三',"
          "地址='北京路1号',是否结算='0' "
          "where ID =2"},
         "Select * from 存单 where ID =2",
         "2|2|饿了么(第1联)|白云快餐|2017年5月15日18时5分||0|0|25.5|现金支付|25.5|25.5||1380000|张三|"
         "北京路1号|假|少辣|||假|"},
        // demo data
        {"demo customers",
         {},
         "Select * from 客户",
         "1|1380000|张三|北京路1号|2017年5月15日18时5分|1"},
        {"demo order",
         {orderInsert + std::string("4,'饿了么(第1联)','山东手工水饺','2017/5/15 "
                                    "3:7','无',0,0,16,'现金支付',16,16,'号牌 3','','','','1','')")},
         "Select * from 存单 where 时间=#2017/5/15 3:7# and 编号=4",
         "5|4|饿了么(第1联)|山东手工水饺|2017年5月15日3时7分|无|0|0|16|现金支付|16|16|号牌 "
         "3||||真||||假|"},
        // dish catalogue
        {"dish delete",
         {"Delete * from 菜单 where 代码 ='005'and 菜名 = '白菜肉水饺'"},
         "select count(*) from 菜单",
         "27"},
        {"dish add",
         {"insert into 菜单  (代码,字母,菜名,价格,单位) values "
          "('301','gbjd','宫保鸡丁',22.5,'份')"},
         "select 代码,字母,菜名,价格,单位 from 菜单 where 菜名='宫保鸡丁'",
         "301|gbjd|宫保鸡丁|22.5|份"},
        {"dish change",
         {"update 菜单 set 代码 = '099',字母 ='wlj2',单位 ='罐',价格=4  where 菜名 = '王老吉'"},
         "select 代码,字母,菜名,价格,单位 from 菜单 where 菜名='王老吉'",
         "099|wlj2|王老吉|4|罐"},
        // named lists
        {"header add",
         {"insert into 票头设置 (票头) values ('口碑')"},
         "select count(*) from 票头设置",
         "7"},
        {"header delete",
         {"delete * from 票头设置 where 票头 = '淘点点'"},
         "select count(*) from 票头设置",
         "5"},
        {"shop add",
         {"insert into 店名 (店铺名称) values ('老王烧烤')"},
         "select count(*) from 店名",
         "6"},
        {"shop delete",
         {"delete * from 店名 where 店铺名称 = '微信外卖'"},
         "select count(*) from 店名",
         "4"},
        {"discount add",
         {"insert into 减免 (减免名称) values ('会员折扣')"},
         "select count(*) from 减免",
         "5"},
        {"discount delete",
         {"delete * from 减免 where 减免名称 = '开学优惠'"},
         "select count(*) from 减免",
         "3"},
        {"unit add",
         {"insert into 单位 (单位名称) values ('斤')"},
         "select count(*) from 单位",
         "11"},
        {"unit delete",
         {"delete * from 单位 where 单位名称 = '箱'"},
         "select count(*) from 单位",
         "9"},
        {"table delete",
         {"Delete * from 桌号 where 桌号名称 ='包厢 蓬莱阁'"},
         "select count(*) from 桌号",
         "17"},
        {"table add",
         {"insert into 桌号 (代号,桌号名称) values ('301','大厅 1')"},
         "select 代号,桌号名称 from 桌号 where 代号='301'",
         "301|大厅 1"},
        {"table change",
         {"update 桌号 set 代号 = '11'  where 桌号名称 = '号牌 1'"},
         "select 代号 from 桌号 where 桌号名称='号牌 1'",
         "11"},
        // customers
        {"customer count", {}, "select count(*) from 客户", "1"},
        {"customer count, search",
         {},
         "select count(*) from 客户 where 姓名='张三' or 电话='张三'",
         "1"},
        {"customer page",
         {},
         page("客户", "", 1, 1),
         "1|1380000|张三|北京路1号|2017年5月15日18时5分|1"},
        {"customer page, search",
         {},
         page("客户", " and 姓名='x' or 电话='1380000'", 1, 1),
         "1|1380000|张三|北京路1号|2017年5月15日18时5分|1"},
        {"customer delete",
         {"Delete * from 客户 where 电话 ='1380000'"},
         "select count(*) from 客户",
         "0"},
        {"customer change",
         {"update 客户 set 姓名 = '张三丰',地址 ='武当山' where 电话 = '1380000'"},
         "select 姓名,地址 from 客户",
         "张三丰|武当山"},
        {"customer add",
         {"insert into 客户  (电话,姓名,地址) values ('136','赵六','')"},
         "select max(ID) from 客户",
         "2"},
        // order history
        {"history totals", {}, "select count(*),sum(实付),sum(合计) from 存单", "4|73|79"},
        {"history totals, dine-in",
         {},
         "select count(*),sum(实付),sum(合计) from 存单 where 桌号 <> ''",
         "3|53|54"},
        {"history page 2 of 2-row pages",
         {},
         page("存单", "", 2, 4),
         "4|1|微信点餐|白云快餐|2018年1月3日||0|0|8|现金支付|8|8|号牌 2||||真||||假|; "
         "3|1|微信点餐|白云快餐|2017年6月2日9时7分||0|0|15.5|现金支付|15|15|包厢 滕王阁||||真||||假|"},
        {"history last short page", {}, "select ID from (" + page("存单", "", 1, 3) + ")", "3"},
        {"history page, take-out",
         {},
         "select ID from (" + page("存单", " and 地址 <> ''", 1, 1) + ")",
         "2"},
        {"history page, one day",
         {},
         "select ID from (" + page("存单", " and" + day, 2, 2) + ")",
         "2; 1"},
        {"history page, period",
         {},
         "select ID from (" +
             page("存单", " and 时间>cdate('2017年5月16日') and 时间<=cdate('2018年1月4日')", 2,
                  2) +
             ")",
         "4; 3"},
        {"history page, customer",
         {},
         "select ID from (" + page("存单", " and 电话 = '1380000'", 1, 1) + ")",
         "2"},
        // order detail and deletion
        {"detail count",
         {},
         "select count(*) from 存单详单 where 存单ID =1 and "
         "format(销售时间,'yyyy年m月d日')='2017年5月15日'",
         "2"},
        {"detail lines",
         {},
         "Select * from 存单详单 where 存单ID =2 and "
         "format(销售时间,'yyyy年m月d日')='2017年5月15日'",
         "3|2|2017年5月15日18时5分|红烧排骨饭|1|份|18; 4|2|2017年5月15日18时5分|王老吉|2|瓶|7"},
        {"order delete",
         {"Delete * from 存单详单 where 存单ID=1", "Delete * from 存单 where ID=1"},
         "select count(*),(select count(*) from 存单详单) from 存单",
         "3|4"},
        // income reports
        {"income day", {}, "select count(*),sum(实付) from 存单 where " + dayWhole, "2|50"},
        {"income day rows",
         {},
         "select 时间,实付 from 存单 where " + dayWhole + " order by 时间",
         "2017年5月15日12时30分|30; 2017年5月15日18时5分|20"},
        {"income day, midnight not counted",
         {},
         "select count(*),sum(实付) from 存单 where 时间>cdate('2018年1月3日0时0分0秒') and "
         "时间<=cdate('2018年1月3日23时59分59秒')",
         "0|"},
        {"income month",
         {},
         "select count(*),sum(实付) from 存单  where format(时间,'yyyy-mm')='2017-05'  group by "
         "format(时间,'yyyy')",
         "2|50"},
        {"income month rows",
         {},
         "select count(*),format(时间,'yyyy-mm-dd'),sum(实付) from 存单 where "
         "format(时间,'yyyy-mm')='2017-05' group by format(时间,'yyyy-mm-dd')",
         "2|2017-05-15|50"},
        {"income quarter",
         {},
         "select count(*),sum(实付) from 存单 where format(时间,'yyyy-mm')>='2017-04'and "
         "format(时间,'yyyy-mm')<'2017-07' group by format(时间,'yyyy')",
         "3|65"},
        {"income quarter rows",
         {},
         "select count(*),format(时间,'yyyy-mm'),sum(实付) from 存单 where "
         "format(时间,'yyyy-mm')>='2017-04'and format(时间,'yyyy-mm')<'2017-07'  group by "
         "format(时间,'yyyy-mm')",
         "2|2017-05|50; 1|2017-06|15"},
        {"income year",
         {},
         "select count(*),sum(实付) from 存单 where format(时间,'yyyy')='2017'  group by "
         "format(时间,'yyyy')",
         "3|65"},
        {"income year rows",
         {},
         "select count(*),format(时间,'yyyy-mm'),sum(实付) from 存单 where "
         "format(时间,'yyyy')='2017'  group by format(时间,'yyyy-mm')",
         "2|2017-05|50; 1|2017-06|15"},
        {"income year, none",
         {},
         "select count(*),sum(实付) from 存单 where format(时间,'yyyy')='2016'  group by "
         "format(时间,'yyyy')",
         ""},
        // sales reports, with and without the dish clause
        {"sales year",
         {},
         "select count(*),sum(小计) from 存单详单 where  format(销售时间,'yyyy')='2017'  group by "
         "format(销售时间,'yyyy')",
         "5|71"},
        {"sales year, one dish",
         {},
         "select count(*),sum(小计) from 存单详单 where 菜名='红烧排骨饭'and "
         "format(销售时间,'yyyy')='2017'  group by format(销售时间,'yyyy')",
         "3|51.5"},
        {"sales year rows",
         {},
         "select format(销售时间,'yyyy-mm'),count(*),sum(小计) from 存单详单 where  "
         "format(销售时间,'yyyy')='2017'  group by format(销售时间,'yyyy-mm')",
         "2017-05|4|55.5; 2017-06|1|15.5"},
        {"sales month",
         {},
         "select count(*),sum(小计) from 存单详单 where 菜名='王老吉'and "
         "format(销售时间,'yyyy-mm')='2017-05'  group by format(销售时间,'yyyy')",
         "1|7"},
        {"sales month rows",
         {},
         "select format(销售时间,'yyyy-mm-dd'),count(*),sum(小计) from 存单详单 where  "
         "format(销售时间,'yyyy-mm')='2017-05'  group by format(销售时间,'yyyy-mm-dd')",
         "2017-05-15|4|55.5"},
        {"sales day", {}, "select count(*),sum(小计) from 存单详单 where   " + saleDay, "4|55.5"},
        {"sales day rows",
         {},
         "select 销售时间,菜名,数量,小计 from 存单详单 where 菜名='茄子豆角'and " + saleDay +
             " order by 销售时间",
         "2017年5月15日12时30分|茄子豆角|1|12.5"},
        // schema upgrade on a database without the remark column
        {"remark column added",
         {"alter table [存单] add 备注 varchar(255)"},
         "select count(*) from 存单",
         "4"},
        {"ids", {}, idsOfOrders, "1; 2; 3; +1"},
    };
}

std::string render(Database& db, int handle) {
    std::string text;
    int rows = 0;
    for (; !db.IsEOF(handle); db.MoveNext(handle), ++rows) {
        if (rows >= 3)
            continue;
        if (rows > 0)
            text += "; ";
        for (int c = 1; c <= db.columnCount(handle); ++c)
            text += (c > 1 ? "|" : "") + db.ReadColByIndex(handle, c).toText();
    }
    return rows > 3 ? text + "; +" + std::to_string(rows - 3) : text;
}

class StatementCorpus : public ::testing::TestWithParam<TestDatabase::Engine>, public TestDatabase {
  protected:
    StatementCorpus()
        : TestDatabase(Start::FirstStart, DateTime{2026, 5, 15, 12, 0, 0}, GetParam()) {}

    void SetUp() override {
        if (serverMissing())
            GTEST_SKIP() << "TABLEWISE_TEST_SERVER is not set";
        const char* const fixture[] = {
            "1,'微信点餐','白云快餐','2017-05-15 12:30','',0,0,30.5,'现金支付',30,30,'号牌 "
            "1','','','','1','')",
            "2,'美团(第1联)','白云快餐','2017/5/15 "
            "18:05','立减优惠',1,5,25,'微信支付',20,20,'','1380000','张三','北京路1号','1','少辣')",
            "1,'微信点餐','白云快餐','2017年6月2日9时7分','',0,0,15.5,'现金支付',15,15,'包厢 "
            "滕王阁','','','','1','')",
            "1,'微信点餐','白云快餐','2018-01-03 00:00','',0,0,8,'现金支付',8,8,'号牌 "
            "2','','','','1','')"};
        for (const char* values : fixture)
            ASSERT_TRUE(db.ExecuteSql(orderInsert + std::string(values))) << db.lastError();
        const char* const lines[] = {"1,'2017-05-15 12:30','红烧排骨饭',1,'份',18)",
                                     "1,'2017-05-15 12:30','茄子豆角',1,'份',12.5)",
                                     "2,'2017/5/15 18:05','红烧排骨饭',1,'份',18)",
                                     "2,'2017/5/15 18:05','王老吉',2,'瓶',7)",
                                     "3,'2017年6月2日9时7分','红烧排骨饭',1,'份',15.5)",
                                     "4,'2018-01-03 00:00','旺仔牛奶',1,'瓶',8)"};
        for (const char* values : lines)
            ASSERT_TRUE(db.ExecuteSql(lineInsert + std::string(values))) << db.lastError();
        ASSERT_TRUE(db.ExecuteSql("insert into 客户 (电话,姓名,地址,最近订餐日期,订餐次数) values "
                                  "('1380000','张三','北京路1号','2017/5/15 18:05',1)"));
    }

    // The server never hands out an autonumber twice, even one a rollback
    // gave back; each case expects the numbers of a fixture of its own.
    void restartAutonumbers() {
        if (!db.isServer())
            return;
        for (const TableDef& table : Schema::tables())
            if (table.columns[0].kind == ColumnKind::AutoNumber)
                scalar("select setval(pg_get_serial_sequence('\"" + table.name +
                       "\"', 'id'), (select coalesce(max(id), 0) + 1 from " + table.name +
                       "), false)");
    }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Engines, StatementCorpus, bothEngines, engineName);

TEST_P(StatementCorpus, EveryStatementHasItsEffect) {
    for (const Case& c : corpus()) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(db.begin());
        if (std::string(c.what) == "remark column added")
            ASSERT_TRUE(db.ExecuteSql("alter table 存单 drop column 备注"));
        for (const std::string& statement : c.statements)
            EXPECT_TRUE(db.ExecuteSql(statement)) << statement << ": " << db.lastError();
        int handle = db.OpenTable(c.query);
        EXPECT_NE(handle, 0) << c.query << ": " << db.lastError();
        std::string actual = render(db, handle);
        EXPECT_EQ(actual, c.expected) << c.query << "\n  gives: " << actual;
        db.CloseTable(handle);
        db.rollback();
        restartAutonumbers();
    }
}

// Text from an imported file may be in another encoding: both engines
// refuse it alike, naming the column it was meant for, and store nothing.
TEST_P(StatementCorpus, TextThatIsNotUtf8IsRefusedNamingItsColumn) {
    const struct {
        std::string sql;
        const char* column;
    } cases[] = {
        {"insert into 客户 (电话,地址) values ('139','\xb1\xb1\xbe\xa9')", "“地址”"},
        {"update 菜单 set 菜名='\xe7\xba' where ID=1", "“菜名”"},
        {"select * from 客户 where 电话 = '\xff'", "“电话”"},
        {"select '\xc0\x80' from 客户", "语句"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(c.sql.starts_with("select") ? db.OpenTable(c.sql) != 0 : db.ExecuteSql(c.sql));
        EXPECT_EQ(db.lastFailure(), StorageFailure::InvalidText) << c.sql;
        EXPECT_EQ(db.lastError().rfind(c.column, 0), 0u) << db.lastError();
    }
    EXPECT_EQ(scalar("select count(*) from 客户 where 电话='139'"), "0");
    EXPECT_EQ(scalar("select 菜名 from 菜单 where ID=1"), "红烧排骨饭");
}
