#include "storage/dialect/JetTranslator.h"
#include <gtest/gtest.h>

namespace {

std::string translated(const std::string& jet) {
    std::string sqlite, error;
    EXPECT_TRUE(JetTranslator().translate(jet, 2026, sqlite, error)) << jet << ": " << error;
    return sqlite;
}

} // namespace

TEST(JetTranslator, RewritesTheDialectToSqlite) {
    const struct {
        const char* jet;
        const char* sqlite;
    } cases[] = {
        {"Select * from 桌号", "Select * from 桌号"},
        {"select top 200 * from (select top 50000 * from 存单 order by [id])order by [id] desc",
         "select * from (select * from 存单 order by [id] LIMIT 50000)order by [id] desc LIMIT "
         "200"},
        {"select top 3 * from (select top 9 * from 客户 where 姓名='a' or 电话='a' order by "
         "[id])order by "
         "[id] desc",
         "select * from (select * from 客户 where 姓名='a' or 电话='a' order by [id] LIMIT 9)order "
         "by [id] "
         "desc LIMIT 3"},
        {"SELECT TOP 5 编号 FROM 存单;", "SELECT 编号 FROM 存单 LIMIT 5;"},
        {"select distinct top 2 菜名 from 菜单", "select distinct 菜名 from 菜单 LIMIT 2"},
        {"Delete * from 存单 where ID=3", "Delete from 存单 where ID=3"},
        {"delete * from 单位 where 单位名称 = 'x'", "delete from 单位 where 单位名称 = 'x'"},
        {"Select * from 存单 where 时间=#05-15 12:30# and 编号=4",
         "Select * from 存单 where 时间='2026-05-15 12:30:00' and 编号=4"},
        {"select count(*) from 存单 where  时间>cdate('2017年5月15日') and "
         "时间<=cdate('2017年5月16日')",
         "select count(*) from 存单 where  时间>'2017-05-15 00:00:00' and 时间<='2017-05-16 "
         "00:00:00'"},
        {"select 时间 from 存单 where 时间<=cdate('2017年5月15日23时59分59秒')",
         "select 时间 from 存单 where 时间<='2017-05-15 23:59:59'"},
        {"select count(*),format(时间,'yyyy-mm'),sum(实付) from 存单 where "
         "format(时间,'yyyy')='2017'  group by "
         "format(时间,'yyyy-mm')",
         "select count(*),substr(时间,1,7),sum(实付) from 存单 where (时间>='2017-' and "
         "时间<'2017-~')  "
         "group by "
         "substr(时间,1,7)"},
        {"select format(销售时间,'yyyy-mm-dd') from 存单详单",
         "select substr(销售时间,1,10) from 存单详单"},
        {"select count(*) from 存单详单 where format(销售时间,'yyyy年m月d日')='2017年5月15日'",
         "select count(*) from 存单详单 where jet_format(销售时间,'yyyy年m月d日')='2017年5月15日'"},
        {"select cdate(时间) from 存单", "select jet_cdate(时间) from 存单"},
        {"select * from 存单 where 时间 >= '2017/5/15'",
         "select * from 存单 where 时间 >= '2017-05-15 00:00:00'"},
        {"select * from 客户 where 电话=\"1'3\"", "select * from 客户 where 电话='1''3'"},
        {"alter table [存单] add 备注 varchar(255)",
         "ALTER TABLE [存单] ADD COLUMN 备注 TEXT(255) CHECK(备注 IS NULL OR "
         "length(备注)<=255)"},
        {"select '#1 top 5' from 菜单", "select '#1 top 5' from 菜单"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(translated(c.jet), c.sqlite);
}

TEST(JetTranslator, BringsAssignedValuesIntoTheColumnsForm) {
    const struct {
        const char* jet;
        const char* sqlite;
    } cases[] = {
        {"insert into 存单 (编号,时间,减免份数,减免金额,合计,已付,实付,是否结算) values "
         "(3,'2017/5/15 3:7',1,12.5,12.3,"
         "-2.5,'7','1')",
         "insert into 存单 (编号,时间,减免份数,减免金额,合计,已付,实付,是否结算) values "
         "(3,'2017-05-15 03:07:00',1,12.5,"
         "12.3,-2.5,7,1)"},
        {"update 客户 set 最近订餐日期 = '05-15 12:30',订餐次数 =2 where 电话 = '1'",
         "update 客户 set 最近订餐日期 = '2026-05-15 12:30:00',订餐次数 =2 where 电话 = '1'"},
        {"update 存单 set 实付=实付+0.5,是否结算='0' where ID =1",
         "update 存单 set 实付=jet_money(实付+0.5),是否结算=0 where ID =1"},
        {"insert into 菜单  (代码,字母,菜名,价格,单位) values ('1','a','b',3.5,'份')",
         "insert into 菜单  (代码,字母,菜名,价格,单位) values ('1','a','b',3.5,'份')"},
        {"insert into 桌号 (代号,桌号名称) values (7,'x')",
         "insert into 桌号 (代号,桌号名称) values ('7','x')"},
        {"insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) values (1,#2017-05-15 "
         "12:30#,'a',2,'份',"
         "1.123456789)",
         "insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) values (1,'2017-05-15 "
         "12:30:00','a',2,'份',"
         "1.12)"},
        {"insert into 客户 (电话,最近订餐日期) values ('1',null)",
         "insert into 客户 (电话,最近订餐日期) values ('1',null)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(translated(c.jet), c.sqlite);
}

TEST(JetTranslator, RefusesWhatJetRefused) {
    for (const char* jet :
         {"insert into 存单 (时间) values ('not a date')",
          "update 客户 set 最近订餐日期 = '2017-02-30'",
          "select * from 存单 where 时间=#yesterday#",
          "select * from 存单 where 时间>cdate('2017年13月1日')",
          "insert into 存单 (实付) values ('12元')", "insert into 存单 (是否结算) values ('maybe')",
          "select * from 菜单 where 菜名='open", "select [菜名 from 菜单"}) {
        std::string sqlite, error;
        EXPECT_FALSE(JetTranslator().translate(jet, 2026, sqlite, error)) << jet;
        EXPECT_FALSE(error.empty()) << jet;
    }
}

TEST(JetTranslator, RewritesTheDialectForTheServer) {
    const struct {
        const char* jet;
        const char* postgres;
    } cases[] = {
        {"select top 2 * from (select top 4 * from 存单 order by [id])order by [id] desc",
         "select * from (select * from \"存单\" order by id LIMIT 4) AS q1 order by id desc LIMIT "
         "2"},
        {"select max([id]) from (select top 3 [id] from 存单 order by [id] desc) t",
         "select max(id) from (select id from \"存单\" order by id desc LIMIT 3) t"},
        {"alter table [存单] add 备注 varchar(255)",
         "ALTER TABLE \"存单\" ADD COLUMN \"备注\" varchar(255) COLLATE \"C\""},
        {"insert into 单位 (单位名称) values ('斤');",
         "insert into \"单位\" (\"单位名称\") values ('斤') RETURNING id"},
        {"insert into 单位 (ID,单位名称) values (40,'斤')",
         "insert into \"单位\" (ID,\"单位名称\") values (40,'斤') RETURNING id, "
         "jet_autonumber_seen('\"单位\"', id)"},
        {"insert into 记录 (记录内容,记录信息) values ('a','b')",
         "insert into \"记录\" (\"记录内容\",\"记录信息\") values ('a','b')"},
        {"create index 存单_店内 on 存单 (ID,实付) where 桌号 <> ''",
         "create index IF NOT EXISTS \"存单_店内\" on \"存单\" (ID,\"实付\") where \"桌号\" <> ''"},
        {"select * from 客户 where 电话=e'\\x'", "select * from \"客户\" where \"电话\"=e '\\x'"},
        {"update 存单 set 实付=实付+0.5 where ID =1",
         "update \"存单\" set \"实付\"=jet_money(\"实付\"+0.5) where ID =1"},
    };
    for (const auto& c : cases) {
        JetTranslator translator;
        translator.setTarget(JetTranslator::Target::Postgres);
        std::string postgres, error;
        EXPECT_TRUE(translator.translate(c.jet, 2026, postgres, error)) << c.jet << ": " << error;
        EXPECT_EQ(postgres, c.postgres);
    }
}
