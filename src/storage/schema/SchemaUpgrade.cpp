#include "storage/schema/SchemaUpgrade.h"
#include "storage/engine/SqliteFile.h"
#include "storage/schema/KeptSums.h"
#include "storage/schema/Schema.h"
#include "storage/schema/ServerSchema.h"
#include <sqlite3.h>

namespace SchemaUpgrade {
namespace {

// Files from before versions: text compared exactly, and the tables and
// columns added after the template.
StorageFailure beforeVersions(sqlite3* db) {
    const StorageFailure failure = SqliteFile::makeTextExact(db);
    return failure != StorageFailure::None ? failure : SqliteFile::addLaterTablesAndColumns(db);
}

// Amounts with two decimals, and the rounding stored apart from them.
StorageFailure moneyToTheFen(sqlite3* db) {
    const StorageFailure failure = SqliteFile::keepMoneyToTheFen(db);
    return failure != StorageFailure::None ? failure : SqliteFile::addLaterTablesAndColumns(db);
}

bool run(sqlite3* db, const std::string& sql) {
    return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

// The kept sums and what keeps them, added up once from the rows.
StorageFailure keepSums(sqlite3* db) {
    bool done = run(db, "BEGIN IMMEDIATE") && run(db, KeptSums::fileSql());
    for (const std::string& statement : KeptSums::rebuildStatements())
        done = done && run(db, statement);
    if (done && run(db, "COMMIT"))
        return StorageFailure::None;
    const StorageFailure failure = SqliteFile::failureOf(db);
    if (!sqlite3_get_autocommit(db))
        run(db, "ROLLBACK");
    return failure;
}

std::string rebuildOnServer() {
    std::string sql;
    for (const std::string& statement : KeptSums::rebuildStatements())
        sql += statement + ";\n";
    return sql;
}

// An index of an earlier version's columns, dropped: start-up creates every
// index the file lacks, as this version defines it.
const char* const widenedIndex = "存单详单_销售时间";

StorageFailure dropWidenedIndex(sqlite3* db) {
    return run(db, std::string("DROP INDEX IF EXISTS ") + widenedIndex) ? StorageFailure::None
                                                                        : SqliteFile::failureOf(db);
}

// A server is given only what a step names.
std::string tillIndexesOnServer() {
    std::string sql = "DROP INDEX IF EXISTS " + ServerSchema::name(widenedIndex) + ";\n";
    for (const IndexDef& index : Schema::indexes())
        if (index.name == widenedIndex || index.name == "存单_收银台")
            sql += ServerSchema::indexSql(index);
    return sql;
}

} // namespace

const std::vector<Step>& steps() {
    static const std::vector<Step> all = {
        {1, beforeVersions, {}},
        {2, moneyToTheFen, ServerSchema::moneyConversionSql()},
        // The till that took an order or made a change.
        {3, SqliteFile::addLaterTablesAndColumns, {}},
        // Orders the demo data invented, marked.
        {4, SqliteFile::addLaterTablesAndColumns, {}},
        // Kitchen stations, the station of each dish, and what each was sent.
        {5, SqliteFile::addLaterTablesAndColumns, {}},
        // Orders held at the counter, with their lines; dishes sold out for the day.
        {6, SqliteFile::addLaterTablesAndColumns, {}},
        // The cashier list, the cashier with every order and change record,
        // and the handovers and day closes.
        {7, SqliteFile::addLaterTablesAndColumns, {}},
        // Sums kept per day, so that totals and reports need not add up every row.
        {8, keepSums, rebuildOnServer()},
        // One till's orders by time, and the order of each line in the sale
        // time index, for the reports of one till and the list of tills.
        {9, dropWidenedIndex, tillIndexesOnServer()},
    };
    return all;
}

StorageFailure upgradeFile(sqlite3* db, int version) {
    for (const Step& step : steps()) {
        if (step.version <= version)
            continue;
        if (const StorageFailure failure = step.inFile(db); failure != StorageFailure::None)
            return failure;
        const std::string record = "PRAGMA user_version=" + std::to_string(step.version);
        if (sqlite3_exec(db, record.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
            return SqliteFile::failureOf(db);
    }
    return StorageFailure::None;
}

std::string serverSql(int version) {
    std::string sql;
    for (const Step& step : steps())
        if (step.version > version)
            sql += step.onServer;
    return sql + ServerSchema::recordVersionSql(Schema::version);
}

std::string refusal(int version) {
    if (version <= Schema::version)
        return {};
    return "数据库是较新版本的程序建立的（数据版本 " + std::to_string(version) +
           "），本程序只能使用数据版本 " + std::to_string(Schema::version) +
           " 及以前的数据库，请先升级本程序";
}

} // namespace SchemaUpgrade
