#include "storage/schema/KeptSums.h"
#include "storage/schema/ServerSchema.h"

namespace KeptSums {
namespace {

using K = ColumnKind;

// One column of a kept sum and what it takes from a row; "{r}" stands for
// the row ("new.", "old.", "r." or nothing).
struct Part {
    std::string column;
    std::string expression;
    int length = 0; // text keys only
    ColumnKind kind = K::Text; // keys only
};

struct Sum {
    std::string table;
    std::string source;
    std::vector<Part> keys;
    std::vector<Part> values;
};

std::string fen(const std::string& column) {
    return "CAST(round(coalesce({r}" + column + ",0)*100) AS bigint)";
}

std::string when(const std::string& flag, const std::string& value) {
    return "CASE WHEN coalesce({r}" + flag + ",'')<>'' THEN " + value + " ELSE 0 END";
}

std::string day(const std::string& column) {
    return "coalesce(substr({r}" + column + ",1,10),'')";
}

// What a day and a run of IDs both count: orders and money, in all, dine-in
// and take-out; a day also the discounts.
std::vector<Part> orderFigures(bool withDiscount) {
    std::vector<Part> parts = {{"单数", "1"},
                               {"合计", fen("合计")},
                               {"实付", fen("实付")},
                               {"店内单数", when("桌号", "1")},
                               {"店内合计", when("桌号", fen("合计"))},
                               {"店内实付", when("桌号", fen("实付"))},
                               {"外卖单数", when("地址", "1")},
                               {"外卖合计", when("地址", fen("合计"))},
                               {"外卖实付", when("地址", fen("实付"))}};
    if (withDiscount)
        parts.insert(parts.begin() + 2, {"减免金额", fen("减免金额")});
    return parts;
}

const std::vector<Sum>& sums() {
    static const std::vector<Sum> all = {
        {days,
         "存单",
         {{"日期", day("时间"), 10}},
         orderFigures(true)},
        {payments,
         "存单",
         {{"日期", day("时间"), 10}, {"支付方式", "coalesce({r}支付方式,'')", 255}},
         {{"单数", "1"}, {"实付", fen("实付")}}},
        {dishes,
         "存单详单",
         {{"日期", day("销售时间"), 10}, {"菜名", "coalesce({r}菜名,'')", 32}},
         {{"行数", "1"}, {"数量", "coalesce({r}数量,0)"}, {"小计", fen("小计")}}},
        {runs,
         "存单",
         {{"段", "{r}ID/" + std::to_string(runLength), 0, K::Int32},
          {"日期", day("时间"), 10},
          {"收银台", "coalesce({r}收银台,'')", 64}},
         orderFigures(false)},
    };
    return all;
}

// The columns a change of which moves a row's part of the sums.
const std::vector<std::string>& watched(const std::string& source) {
    static const std::vector<std::string> orders = {"时间", "合计", "减免金额", "实付",
                                                    "支付方式", "桌号", "地址", "收银台"};
    static const std::vector<std::string> lines = {"销售时间", "菜名", "数量", "小计"};
    return source == "存单" ? orders : lines;
}

std::string row(std::string expression, const std::string& alias) {
    for (std::size_t at; (at = expression.find("{r}")) != std::string::npos;)
        expression.replace(at, 3, alias);
    return expression;
}

template <typename F> std::string joined(const std::vector<Part>& parts, F&& text) {
    std::string out;
    for (const Part& part : parts)
        out += (out.empty() ? "" : ",") + text(part);
    return out;
}

std::string names(const Sum& sum) {
    const auto name = [](const Part& p) { return p.column; };
    return joined(sum.keys, name) + "," + joined(sum.values, name);
}

std::string keyNames(const Sum& sum) {
    return joined(sum.keys, [](const Part& p) { return p.column; });
}

std::string keyExpressions(const Sum& sum, const std::string& alias) {
    return joined(sum.keys, [&](const Part& p) { return row(p.expression, alias); });
}

// Each kept value added to by the one the upsert brings.
std::string additions(const Sum& sum, const std::string& target) {
    return joined(sum.values, [&](const Part& p) {
        return p.column + "=" + target + p.column + "+excluded." + p.column;
    });
}

std::string rowsSums(const Sum& sum, const std::string& alias, const std::string& sign) {
    return joined(sum.values,
                  [&](const Part& p) { return "sum(" + sign + row(p.expression, alias) + ")"; });
}

// The sums of the source rows, by key.
std::string summedRows(const Sum& sum) {
    const std::string keys =
        joined(sum.keys, [](const Part& p) { return row(p.expression, "") + " AS " + p.column; });
    return "SELECT " + keys + "," + rowsSums(sum, "", "") + " FROM " + sum.source +
           " GROUP BY " + keyExpressions(sum, "");
}

TableDef tableOf(const Sum& sum) {
    TableDef table{sum.table, {}, false};
    for (const Part& key : sum.keys)
        table.columns.push_back({key.column, key.kind, key.length, false});
    for (const Part& value : sum.values)
        table.columns.push_back({value.column, K::Decimal, 0, false});
    return table;
}

template <typename F> std::string createTable(const Sum& sum, F&& columnSql, const char* tail) {
    std::string sql = "CREATE TABLE IF NOT EXISTS " + sum.table + " (";
    for (const ColumnDef& column : tableOf(sum).columns)
        sql += "\n  " + columnSql(column) + ",";
    return sql + "\n  PRIMARY KEY (" + keyNames(sum) + "))" + tail + ";\n";
}

// Only triggers write the sums: checks on their columns would cost every
// settlement and guard nothing.
std::string plainColumn(const ColumnDef& column) {
    return column.name + (column.kind == K::Text ? " TEXT" : " INTEGER");
}

// SQLite: one row's part added (sign "") or taken away (sign "-").
std::string fileUpsert(const Sum& sum, const std::string& alias, const std::string& sign) {
    std::string values;
    for (const Part& part : sum.values)
        values += "," + sign + "(" + row(part.expression, alias) + ")";
    return "INSERT INTO " + sum.table + " (" + names(sum) + ") VALUES (" +
           keyExpressions(sum, alias) + values + ") ON CONFLICT (" + keyNames(sum) +
           ") DO UPDATE SET " + additions(sum, "") + ";\n";
}

std::string fileTriggers(const std::string& source) {
    std::string added, taken;
    for (const Sum& sum : sums())
        if (sum.source == source) {
            added += fileUpsert(sum, "new.", "");
            taken += fileUpsert(sum, "old.", "-");
        }
    std::string columns, changed;
    for (const std::string& column : watched(source)) {
        columns += (columns.empty() ? "" : ",") + column;
        changed += (changed.empty() ? "" : " OR ") + ("old." + column + " IS NOT new." + column);
    }
    // Made anew, so that a later version's sums replace what the triggers add to.
    const auto head = [&](const char* suffix) {
        const std::string trigger = "汇总_" + source + suffix;
        return "DROP TRIGGER IF EXISTS " + trigger + ";\nCREATE TRIGGER " + trigger;
    };
    return head("_增") + " AFTER INSERT ON " + source + " BEGIN\n" + added + "END;\n" +
           head("_删") + " AFTER DELETE ON " + source + " BEGIN\n" + taken + "END;\n" +
           head("_改") + " AFTER UPDATE OF " + columns + " ON " + source + " WHEN " + changed +
           " BEGIN\n" + taken + added + "END;\n";
}

// Server: the rows of a statement (r, with 正负 +1 or -1) added by key; a
// key whose sums do not change is left alone, and keys are taken in order so
// that two tills never wait on each other crosswise.
std::string serverUpsert(const Sum& sum, const std::string& rows) {
    std::string moved;
    for (const Part& part : sum.values)
        moved += (moved.empty() ? "" : " OR ") +
                 ("sum(r.正负*" + row(part.expression, "r.") + ")<>0");
    std::string positions;
    for (std::size_t i = 1; i <= sum.keys.size(); ++i)
        positions += (i > 1 ? "," : "") + std::to_string(i);
    return "  WITH r AS (" + rows + ") INSERT INTO " + sum.table + " AS s (" + names(sum) +
           ") SELECT " + keyExpressions(sum, "r.") + "," + rowsSums(sum, "r.", "r.正负*") +
           " FROM r GROUP BY " + positions + " HAVING " + moved + " ORDER BY " + positions +
           " ON CONFLICT (" + keyNames(sum) + ") DO UPDATE SET " + additions(sum, "s.") + ";\n";
}

std::string serverUpserts(const std::string& source, const std::string& rows) {
    std::string upserts;
    for (const Sum& sum : sums())
        if (sum.source == source)
            upserts += serverUpsert(sum, rows);
    return upserts;
}

std::string serverTrigger(const std::string& source, const std::string& suffix,
                          const std::string& event, const std::string& tables) {
    const std::string trigger = "汇总_" + source + suffix;
    return "DROP TRIGGER IF EXISTS " + trigger + " ON " + source + ";\nCREATE TRIGGER " + trigger +
           " AFTER " + event + " ON " + source + " REFERENCING " + tables +
           " FOR EACH STATEMENT EXECUTE FUNCTION 汇总_" + source + "();\n";
}

std::string serverFunction(const std::string& source) {
    return "CREATE OR REPLACE FUNCTION 汇总_" + source +
           "() RETURNS trigger LANGUAGE plpgsql AS $f$\nBEGIN\nIF TG_OP = 'INSERT' THEN\n" +
           serverUpserts(source, "SELECT 1 AS 正负, * FROM new_rows") +
           "ELSIF TG_OP = 'DELETE' THEN\n" +
           serverUpserts(source, "SELECT -1 AS 正负, * FROM old_rows") + "ELSE\n" +
           serverUpserts(source,
                         "SELECT -1 AS 正负, * FROM old_rows UNION ALL SELECT 1, * FROM new_rows") +
           "END IF;\nRETURN NULL;\nEND $f$;\n" +
           serverTrigger(source, "_增", "INSERT", "NEW TABLE AS new_rows") +
           serverTrigger(source, "_删", "DELETE", "OLD TABLE AS old_rows") +
           serverTrigger(source, "_改", "UPDATE", "OLD TABLE AS old_rows NEW TABLE AS new_rows");
}

} // namespace

const std::vector<TableDef>& tables() {
    static const std::vector<TableDef> all = [] {
        std::vector<TableDef> found;
        for (const Sum& sum : sums())
            found.push_back(tableOf(sum));
        return found;
    }();
    return all;
}

std::string fileSql() {
    std::string sql;
    for (const Sum& sum : sums())
        sql += createTable(sum, plainColumn, " WITHOUT ROWID");
    return sql + fileTriggers("存单") + fileTriggers("存单详单");
}

std::string serverSql() {
    std::string sql;
    for (const Sum& sum : sums())
        sql += createTable(sum, ServerSchema::columnSql, "");
    return sql + serverFunction("存单") + serverFunction("存单详单");
}

std::vector<std::string> rebuildStatements() {
    std::vector<std::string> statements;
    for (const Sum& sum : sums()) {
        statements.push_back("DELETE FROM " + sum.table);
        statements.push_back("INSERT INTO " + sum.table + " (" + names(sum) + ") " +
                             summedRows(sum));
    }
    return statements;
}

std::string differencesSql() {
    std::string sql;
    for (const Sum& sum : sums()) {
        std::string kept = "SELECT " + names(sum) + " FROM " + sum.table + " WHERE ";
        for (std::size_t i = 0; i < sum.values.size(); ++i)
            kept += (i ? " OR " : "") + sum.values[i].column + "<>0";
        const std::string rows = summedRows(sum);
        // A key counts once whether its row is wrong, missing or one too many.
        const std::string keys = keyNames(sum);
        sql += (sql.empty() ? "SELECT " : " UNION ALL SELECT ") + std::string("'") + sum.table +
               "' AS 汇总,(SELECT count(*) FROM (SELECT " + keys + " FROM (" + kept + " EXCEPT " +
               rows + ") a UNION SELECT " + keys + " FROM (" + rows + " EXCEPT " + kept +
               ") b) c) AS 不符";
    }
    return sql;
}

} // namespace KeptSums
