#include "storage/schema/Schema.h"
#include "storage/values/Values.h"
#include <cctype>

namespace Schema {
namespace {

using K = ColumnKind;
using Values::sqlQuote;

std::vector<TableDef> buildTables() {
    return {
        {"存单",
         {{"ID", K::AutoNumber},
          {"编号", K::Int32},
          {"票头", K::Text, 32},
          {"店铺名称", K::Text, 32},
          {"时间", K::DateTime},
          {"减免", K::Text, 32},
          {"减免份数", K::Int16},
          {"减免金额", K::Money},
          {"合计", K::Money},
          {"支付方式", K::Text, 255},
          {"已付", K::Money},
          {"实付", K::Money},
          {"桌号", K::Text, 32},
          {"电话", K::Text, 16},
          {"姓名", K::Text, 16},
          {"地址", K::Text, 255},
          {"是否结算", K::YesNo},
          {"备注", K::Text, 255, false},
          // What 抹零 took off (negative when it rounded up): 实付 is what was paid.
          {"抹零金额", K::Money, 0, false},
          // The till that took the order; empty for orders stored before.
          {"收银台", K::Text, 64, false},
          // Orders the demo data invented, so they can be told apart and removed.
          {"演示", K::YesNo, 0, false},
          // The cashier at the till; empty where the shop keeps no cashier list.
          {"收银员", K::Text, 16, false}}},
        {"存单详单",
         {{"ID", K::AutoNumber},
          {"存单ID", K::Int32},
          {"销售时间", K::DateTime},
          {"菜名", K::Text, 32},
          {"数量", K::Int16},
          {"单位", K::Text, 8},
          {"小计", K::Money}}},
        {"菜单",
         {{"ID", K::AutoNumber},
          {"代码", K::Text, 8},
          {"字母", K::Text, 16},
          {"菜名", K::Text, 32},
          {"价格", K::Money},
          {"单位", K::Text, 8},
          // The station whose kitchen printer makes it; empty: none.
          {"出品部门", K::Text, 50, false}}},
        {"客户",
         {{"ID", K::AutoNumber},
          {"电话", K::Text, 16},
          {"姓名", K::Text, 16},
          {"地址", K::Text, 255},
          {"最近订餐日期", K::DateTime},
          {"订餐次数", K::Int16}}},
        {"记录", {{"记录内容", K::Text, 16}, {"记录信息", K::Text, 255}}},
        {"桌号", {{"ID", K::AutoNumber}, {"代号", K::Text, 8}, {"桌号名称", K::Text, 24}}},
        {"单位", {{"ID", K::AutoNumber}, {"单位名称", K::Text, 8}}},
        {"减免", {{"ID", K::AutoNumber}, {"减免名称", K::Text, 16}}},
        {"店名", {{"ID", K::AutoNumber}, {"店铺名称", K::Text, 32}}},
        {"票头设置", {{"ID", K::AutoNumber}, {"票头", K::Text, 32}}},
        // What was done to stored orders; only ever added to.
        {"操作记录",
         {{"ID", K::AutoNumber},
          {"时间", K::DateTime},
          {"操作", K::Text, 16},
          {"存单ID", K::Int32},
          {"编号", K::Int32},
          {"原内容", K::Memo},
          {"新内容", K::Memo},
          {"收银台", K::Text, 64, false},
          {"收银员", K::Text, 16, false}},
         false},
        // Who may take orders; when the list is empty nobody is asked. The
        // PIN is kept as a salted digest, empty when none is asked.
        {"收银员", {{"ID", K::AutoNumber}, {"姓名", K::Text, 16}, {"密码", K::Text, 160}}, false},
        // Handovers and day closes: numbered, and never changed or removed.
        // The ID bounds say which orders and change records each one covered.
        {"交班记录",
         {{"ID", K::AutoNumber},
          {"类别", K::Text, 8},
          {"编号", K::Int32},
          {"补充编号", K::Int32},
          {"营业日", K::Text, 10},
          {"开始时间", K::DateTime},
          {"结束时间", K::DateTime},
          {"收银台", K::Text, 64},
          {"收银员", K::Text, 16},
          {"起始存单ID", K::Int32},
          {"截止存单ID", K::Int32},
          {"起始记录ID", K::Int32},
          {"截止记录ID", K::Int32},
          {"订单数", K::Int32},
          {"收入", K::Money},
          {"支付明细", K::Memo},
          {"减免单数", K::Int32},
          {"减免金额", K::Money},
          {"删除单数", K::Int32},
          {"删除金额", K::Money},
          {"修改单数", K::Int32},
          {"打单未结算", K::Int32},
          {"备用金", K::Money},
          {"现金收入", K::Money},
          {"现金变动", K::Money},
          {"应有现金", K::Money},
          {"实点现金", K::Money},
          {"差额", K::Money},
          {"留存备用金", K::Money}},
         false},
        // The kitchen's stations, each with its own ticket printer.
        {"出品部门",
         {{"ID", K::AutoNumber},
          {"名称", K::Text, 50},
          {"打印机连接", K::Text, 255},
          {"热敏打印模式", K::Text, 10},
          {"份数", K::Int16},
          {"纸宽", K::Int16}},
         false},
        // What each station has been sent of an order: a later ticket sends
        // only what changed since.
        {"厨房已送",
         {{"ID", K::AutoNumber},
          {"存单ID", K::Int32},
          {"出品部门", K::Text, 50},
          {"菜名", K::Text, 32},
          {"数量", K::Int32},
          {"单位", K::Text, 8}},
         false},
        // Orders parked at the counter, not yet settled: no number, no income.
        // A till that takes one back leases it until 租约到期.
        {"挂单",
         {{"ID", K::AutoNumber},
          {"挂起时间", K::DateTime},
          {"收银台", K::Text, 64},
          {"票头", K::Text, 32},
          {"店铺名称", K::Text, 32},
          {"桌号代码", K::Text, 32},
          {"桌号", K::Text, 32},
          {"电话", K::Text, 16},
          {"姓名", K::Text, 16},
          {"地址", K::Text, 255},
          {"减免", K::Text, 32},
          {"减免份数", K::Int16},
          {"减免金额", K::Money},
          {"合计", K::Money},
          {"支付方式", K::Text, 255},
          {"已付", K::Money},
          {"实付", K::Money},
          {"抹零金额", K::Money},
          {"备注", K::Text, 255},
          {"租用收银台", K::Text, 64},
          {"租约到期", K::DateTime}},
         false},
        {"挂单详单",
         {{"ID", K::AutoNumber},
          {"挂单ID", K::Int32},
          {"菜名", K::Text, 32},
          {"数量", K::Int16},
          {"单位", K::Text, 8},
          {"小计", K::Money}},
         false},
        // Dishes sold out (剩余 0) or with so many left, for one day.
        {"估清",
         {{"ID", K::AutoNumber}, {"日期", K::DateTime}, {"菜名", K::Text, 32}, {"剩余", K::Int32}},
         false},
    };
}

void insertTexts(std::string& sql, const std::string& table, const std::string& column,
                 const std::vector<std::string>& values) {
    for (const std::string& value : values)
        sql += "INSERT INTO " + table + " (" + column + ") VALUES (" + sqlQuote(value) + ");\n";
}

struct Dish {
    const char *code, *letters, *name, *price, *unit;
};

const Dish dishes[] = {
    {"001", "hspgf", "红烧排骨饭", "18", "份"},
    {"002", "qzdj", "茄子豆角", "14", "份"},
    {"003", "xhscd", "西红柿炒蛋", "13", "份"},
    {"004", "jzgrp", "金针菇肉片", "16", "份"},
    {"005", "bcrsj", "白菜肉水饺", "15.5", "份"},
    {"006", "xgzrsj", "香菇猪肉水饺", "16", "碗"},
    {"007", "dczrsj", "大葱猪肉水饺", "16", "份"},
    {"008", "yxxg", "攸县香干", "14", "份"},
    {"009", "mdrp", "毛豆肉片", "15", "份"},
    {"010", "wslr", "莴笋腊肉", "16", "份"},
    {"011", "qcxg", "芹菜香干", "15", "份"},
    {"012", "zzmy", "支竹焖鸭", "18", "份"},
    {"013", "htsd", "火腿双蛋", "14", "份"},
    {"014", "hsyk", "红烧鱼块", "16", "份"},
    {"015", "scy", "酸菜鱼", "16", "份"},
    {"016", "hcrp", "花菜肉片", "15", "碗"},
    {"017", "gbsjd", "干煸四季度", "13", "份"},
    {"018", "njywx", "农家一碗香", "15", "份"},
    {"019", "yxrs", "鱼香肉丝", "13", "份"},
    {"101", "xhcs", "雪花纯生", "8", "瓶"},
    {"102", "qdcs", "青岛纯生", "8", "瓶"},
    {"103", "xplj", "小瓶郎酒", "15", "瓶"},
    {"104", "wznn", "旺仔牛奶", "5", "瓶"},
    {"201", "frwxyhs", "芙蓉王香烟黄色", "25", "包"},
    {"202", "frwxylsyh", "芙蓉王香烟蓝色硬盒", "35", "包"},
    {"203", "jpfrw", "极品芙蓉王", "65", "包"},
    {"105", "wlj", "王老吉", "3.5", "瓶"},
    {"108", "kxc", "空心菜", "18", "份"},
};

} // namespace

std::string seedSql() {
    std::string sql;
    insertTexts(sql, "单位", "单位名称",
                {"份", "碗", "碟", "瓶", "罐", "包", "箱", "串", "个", "盒"});
    insertTexts(sql, "店名", "店铺名称",
                {"山东手工水饺", "老北方饺子馆", "农家大碗茶", "白云快餐", "微信外卖"});
    insertTexts(sql, "减免", "减免名称", {"立减优惠", "整单折扣", "开业酬宾", "开学优惠"});
    insertTexts(
        sql, "票头设置", "票头",
        {"饿了么(第1联)", "美团(第1联)", "百度外卖(第1联)", "淘点点", "自助快餐", "微信点餐"});
    auto table = [&sql](const std::string& code, const std::string& name) {
        sql += "INSERT INTO 桌号 (代号,桌号名称) VALUES (" + sqlQuote(code) + "," + sqlQuote(name) +
               ");\n";
    };
    for (int i = 1; i <= 10; ++i)
        table(std::to_string(i), "号牌 " + std::to_string(i));
    for (int i = 1; i <= 4; ++i)
        table(std::to_string(100 + i), "桌号 2楼" + std::to_string(i) + "桌");
    const char* rooms[] = {"滕王阁", "岳阳楼", "黄鹤楼", "蓬莱阁"};
    for (int i = 0; i < 4; ++i)
        table(std::to_string(201 + i), std::string("包厢 ") + rooms[i]);
    for (const Dish& d : dishes)
        sql += "INSERT INTO 菜单 (代码,字母,菜名,价格,单位) VALUES (" + sqlQuote(d.code) + "," +
               sqlQuote(d.letters) + "," + sqlQuote(d.name) + "," + d.price + "," +
               sqlQuote(d.unit) + ");\n";
    return sql;
}

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    if (a == b)
        return true;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

const std::vector<TableDef>& tables() {
    static const std::vector<TableDef> all = buildTables();
    return all;
}

const TableDef* findTable(std::string_view name) {
    for (const TableDef& table : tables())
        if (equalsIgnoringCase(table.name, name))
            return &table;
    return nullptr;
}

const ColumnDef* findColumn(const TableDef& table, std::string_view name) {
    for (const ColumnDef& column : table.columns)
        if (equalsIgnoringCase(column.name, name))
            return &column;
    return nullptr;
}

const ColumnDef* findColumnAfter(const TableDef& table, std::string_view name,
                                 const ColumnDef* previous) {
    if (previous && previous + 1 < table.columns.data() + table.columns.size() &&
        equalsIgnoringCase(previous[1].name, name))
        return previous + 1;
    return findColumn(table, name);
}

bool isDateTimeColumnName(std::string_view name) {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> found;
        for (const TableDef& table : tables())
            for (const ColumnDef& column : table.columns)
                if (column.kind == ColumnKind::DateTime)
                    found.push_back(column.name);
        return found;
    }();
    for (const std::string& known : names)
        if (equalsIgnoringCase(known, name))
            return true;
    return false;
}

std::string declaredType(ColumnKind kind, int length) {
    switch (kind) {
    case K::AutoNumber:
        return "INTEGER";
    case K::Int32:
        return "INT32";
    case K::Int16:
        return "INT16";
    case K::Single:
        return "FLOAT";
    case K::Double:
        return "DOUBLE";
    case K::Decimal:
        return "DECIMAL(18,0)";
    case K::Money:
        return "MONEY";
    case K::YesNo:
        return "YESNO";
    case K::Text:
        return "TEXT(" + std::to_string(length) + ")";
    case K::Memo:
        return "MEMO";
    case K::DateTime:
        return "DATETIME";
    }
    return "TEXT";
}

bool kindFromDeclaredType(const char* declared, ColumnKind& kind) {
    if (!declared)
        return false;
    std::string type;
    for (const char* p = declared; *p && *p != '('; ++p)
        type += static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    static const struct {
        const char* name;
        ColumnKind kind;
    } names[] = {{"INTEGER", K::Int32}, {"INT32", K::Int32},      {"INT16", K::Int16},
                 {"FLOAT", K::Single},  {"DOUBLE", K::Double},    {"DECIMAL", K::Decimal}, {"MONEY", K::Money},
                 {"YESNO", K::YesNo},   {"TEXT", K::Text},        {"VARCHAR", K::Text},
                 {"MEMO", K::Memo},     {"DATETIME", K::DateTime}};
    for (const auto& entry : names)
        if (type == entry.name) {
            kind = entry.kind;
            return true;
        }
    return false;
}

std::string columnSql(const ColumnDef& column) {
    const std::string& n = column.name;
    std::string sql = n + " " + declaredType(column.kind, column.length);
    switch (column.kind) {
    case K::AutoNumber:
        return sql + " PRIMARY KEY AUTOINCREMENT";
    case K::Int32:
        return sql + " CHECK(" + n + " IS NULL OR (typeof(" + n + ")='integer' AND " + n +
               " BETWEEN -2147483648 AND 2147483647))";
    case K::Int16:
        return sql + " CHECK(" + n + " IS NULL OR (typeof(" + n + ")='integer' AND " + n +
               " BETWEEN -32768 AND 32767))";
    case K::Single:
    case K::Double:
        return sql + " CHECK(" + n + " IS NULL OR typeof(" + n + ")='real')";
    case K::Decimal:
        return sql + " CHECK(" + n + " IS NULL OR (typeof(" + n + ")='integer' AND abs(" + n +
               ")<1000000000000000000))";
    case K::Money:
        return sql + " CHECK(" + n + " IS NULL OR (typeof(" + n + ") IN ('integer','real') AND abs(" +
               n + ")<10000000000000))";
    case K::YesNo:
        return sql + " NOT NULL DEFAULT 0 CHECK(" + n + " IN (0,1))";
    case K::Text:
        // Text is compared byte for byte: "vip" and "VIP" are two names.
        return sql + " CHECK(" + n + " IS NULL OR length(" + n +
               ")<=" + std::to_string(column.length) + ")";
    case K::Memo:
        return sql;
    case K::DateTime:
        return sql + " CHECK(" + n + " IS NULL OR (typeof(" + n + ")='text' AND " + n +
               " GLOB '[0-9][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9] "
               "[0-2][0-9]:[0-5][0-9]:[0-5][0-9]'))";
    }
    return sql;
}

namespace {

std::string createSql(const TableDef& table, bool templateColumnsOnly) {
    std::string sql =
        (templateColumnsOnly ? "CREATE TABLE " : "CREATE TABLE IF NOT EXISTS ") + table.name + " (";
    bool first = true;
    for (const ColumnDef& column : table.columns) {
        if (templateColumnsOnly && !column.inTemplate)
            continue;
        sql += (first ? "\n  " : ",\n  ") + columnSql(column);
        first = false;
    }
    return sql + ");\n";
}

} // namespace

const std::vector<IndexDef>& indexes() {
    // The period ranges of the reports and the history read the order time
    // and the sale time; the history's totals read only the covered amounts,
    // and its dine-in and take-out lists count the rows before a page by ID.
    static const std::vector<IndexDef> all = {
        {"存单详单_存单ID", "存单详单", {"存单ID"}, {}, true},
        {"存单_时间", "存单", {"时间", "实付"}},
        // With the order ID, one till's lines of a period are found by its orders.
        {"存单详单_销售时间", "存单详单", {"销售时间", "菜名", "小计", "存单ID"}},
        {"存单_金额", "存单", {"实付", "合计"}},
        {"存单_电话", "存单", {"电话", "实付", "合计"}},
        {"存单_店内", "存单", {"ID", "实付", "合计"}, "桌号"},
        {"存单_外卖", "存单", {"ID", "实付", "合计"}, "地址"},
        // What the kitchen was sent of an order is read by the order.
        {"存单_厨房已送", "厨房已送", {"存单ID"}},
        {"挂单详单_挂单ID", "挂单详单", {"挂单ID"}, {}},
        {"估清_日期", "估清", {"日期", "菜名"}, {}},
        // One till's orders by time, for its reports; the till list steps
        // from one till's name to the next.
        {"存单_收银台", "存单", {"收银台", "时间", "实付"}},
    };
    return all;
}

std::string createIndexSql(const IndexDef& index) {
    std::string columns;
    for (const std::string& column : index.columns)
        columns += (columns.empty() ? "" : ",") + column;
    return "CREATE INDEX IF NOT EXISTS " + index.name + " ON " + index.table + " (" + columns +
           ")" + (index.nonEmpty.empty() ? "" : " WHERE " + index.nonEmpty + " <> ''") + ";\n";
}

std::string createTableSql(const TableDef& table) {
    return createSql(table, false);
}

std::string templateSql() {
    std::string sql;
    for (const TableDef& table : tables())
        if (table.inTemplate)
            sql += createSql(table, true);
    for (const IndexDef& index : indexes())
        if (index.inTemplate)
            sql += createIndexSql(index);
    return sql + seedSql();
}

} // namespace Schema
