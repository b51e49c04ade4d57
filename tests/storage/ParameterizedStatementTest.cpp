#include "storage/engine/ParameterizedStatement.h"

#include <gtest/gtest.h>

TEST(ParameterizedStatement, WritesGiveUpTheirLiteralsAndNothingElse) {
    using V = ParameterizedStatement::Value;
    const struct {
        const char* sql;
        const char* text; // null: kept as written
        std::vector<V> values;
    } cases[] = {
        {"insert into 客户 (电话,姓名) values ('0138','张''三')",
         "insert into 客户 (电话,姓名) values (?,?)",
         {V{std::string("0138")}, V{std::string("张'三")}}},
        {"  UPDATE 存单 set 实付=实付+0.5,编号=-3 where [ID]=7",
         "  UPDATE 存单 set 实付=实付+?,编号=-? where [ID]=?",
         {V{0.5}, V{3LL}, V{7LL}}},
        {"delete from 存单 where 桌号<>'' and 编号=1e2 and 时间='2026-12-08 12:30:00'",
         "delete from 存单 where 桌号<>? and 编号=? and 时间=?",
         {V{std::string()}, V{100.0}, V{std::string("2026-12-08 12:30:00")}}},
        {"insert into \"桌 1\" (代号2) values (null)",
         "insert into \"桌 1\" (代号2) values (null)",
         {}},
        {"update [桌 '1] set [代号]=']'", "update [桌 '1] set [代号]=?", {V{std::string("]")}}},
        {"replace into 单位 (单位名称) values ('份')",
         "replace into 单位 (单位名称) values (?)",
         {V{std::string("份")}}},
        // A number after BY is a column's position, not a value.
        {"insert into 单位 (单位名称) select 菜名 from 菜单 order by 1", nullptr, {}},
        {"select * from 存单 where ID=1", nullptr, {}},
        {"create table t (a default 1)", nullptr, {}},
        {"insert into t values (x'00')", nullptr, {}},
        {"insert into t values (0x10)", nullptr, {}},
        {"insert into t values (.5)", nullptr, {}},
        {"insert into t values (99999999999999999999)", nullptr, {}},
        {"insert into t values (?)", nullptr, {}},
        {"insert into t values (:a)", nullptr, {}},
        {"insert into t values (1) -- 备注", nullptr, {}},
        {"insert into t values (1) /* 备注 */", nullptr, {}},
        {"insert into t values ('unterminated)", nullptr, {}},
    };
    for (const auto& c : cases) {
        const std::optional<ParameterizedStatement> lifted = ParameterizedStatement::of(c.sql);
        ASSERT_EQ(lifted.has_value(), c.text != nullptr) << c.sql;
        if (!lifted)
            continue;
        EXPECT_EQ(lifted->text, c.text);
        EXPECT_TRUE(lifted->values == c.values) << c.sql;
    }
}
