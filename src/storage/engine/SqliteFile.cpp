#include "storage/engine/SqliteFile.h"
#include "storage/schema/Schema.h"
#include "storage/values/Values.h"
#include <cerrno>
#include <filesystem>
#include <map>
#include <sqlite3.h>

namespace SqliteFile {
namespace {

// The first column of the first row as text; empty when there is none.
bool firstText(sqlite3* db, const std::string& sql, std::string& text) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        return false;
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW) {
        const unsigned char* value = sqlite3_column_text(statement, 0);
        text = value ? reinterpret_cast<const char*>(value) : "";
    }
    sqlite3_finalize(statement);
    return rc == SQLITE_ROW || rc == SQLITE_DONE;
}

using Columns = std::map<std::string, std::string>;
using Tables = std::map<std::string, Columns>;

// Column names and declared types of every table, by table, in one
// statement: every start reads them.
bool declaredTables(sqlite3* db, Tables& tables) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT m.name, p.name, p.type FROM sqlite_master m, "
                           "pragma_table_info(m.name) p WHERE m.type='table'",
                           -1, &statement, nullptr) != SQLITE_OK)
        return false;
    const auto text = [&](int i) {
        const unsigned char* value = sqlite3_column_text(statement, i);
        return std::string(value ? reinterpret_cast<const char*>(value) : "");
    };
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        tables[text(0)].emplace(text(1), text(2));
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE;
}

// An earlier file's amounts are declared as numbers; start-up converts them.
bool sameKind(ColumnKind declared, ColumnKind expected) {
    const bool earlierMoney = declared == ColumnKind::Decimal || declared == ColumnKind::Single ||
                              declared == ColumnKind::Double;
    return declared == expected ||
           (expected == ColumnKind::AutoNumber && declared == ColumnKind::Int32) ||
           (expected == ColumnKind::Money && earlierMoney);
}

std::string schemaProblem(sqlite3* db) {
    Tables declared;
    if (!declaredTables(db, declared))
        return sqlite3_errmsg(db);
    for (const TableDef& table : Schema::tables()) {
        const Columns& columns = declared[table.name];
        if (columns.empty() && !table.inTemplate)
            continue; // an older file: the upgrade adds it
        if (columns.empty())
            return "缺少表“" + table.name + "”";
        for (const ColumnDef& column : table.columns) {
            const auto found = columns.find(column.name);
            if (found == columns.end()) {
                if (!column.inTemplate)
                    continue;
                return "表“" + table.name + "”缺少列“" + column.name + "”";
            }
            ColumnKind kind;
            if (!Schema::kindFromDeclaredType(found->second.c_str(), kind) ||
                !sameKind(kind, column.kind))
                return "列“" + table.name + "." + column.name + "”的类型不对";
        }
    }
    return {};
}

bool execute(sqlite3* db, const std::string& sql) {
    return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace

// A file cut short still reports the pages its header counts.
std::string lengthProblem(sqlite3* db) {
    std::string pages, pageSize;
    std::error_code error;
    const auto length = std::filesystem::file_size(sqlite3_db_filename(db, "main"), error);
    if (!firstText(db, "PRAGMA page_count", pages) || !firstText(db, "PRAGMA page_size", pageSize))
        return sqlite3_errmsg(db);
    if (error || std::stoull(pages) * std::stoull(pageSize) > length)
        return "文件比它应有的长度短";
    return {};
}

namespace {

// Index entries that disagree with their table, which quick_check does not
// look at: an order read through such an index misses its lines.
bool namesAnIndex(const std::string& line) {
    return (line.starts_with("row ") && line.find(" missing from index ") != std::string::npos) ||
           line.starts_with("wrong # of entries in index ") ||
           line.starts_with("non-unique entry in UNIQUE index ");
}

// Every page read back, and every index compared with its table.
bool checkIntegrity(sqlite3* db, std::string& problem, bool& onlyIndexes) {
    sqlite3_stmt* statement = nullptr;
    onlyIndexes = false;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check(100)", -1, &statement, nullptr) !=
        SQLITE_OK) {
        problem = sqlite3_errmsg(db);
        return false;
    }
    bool sound = true, indexes = true;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(statement, 0);
        const std::string line = text ? reinterpret_cast<const char*>(text) : "";
        sound = sound && line == "ok";
        indexes = indexes && (line == "ok" || namesAnIndex(line));
    }
    sqlite3_finalize(statement);
    if (rc == SQLITE_DONE && sound)
        return true;
    problem = "文件已损坏";
    onlyIndexes = rc == SQLITE_DONE && indexes;
    return false;
}

// Comparing an index with its table jumps about the file; with the usual
// cache most of that time goes on reading the same pages again.
bool readWhole(sqlite3* db, std::string& problem, bool& onlyIndexes) {
    std::string usualCache;
    const bool raised =
        firstText(db, "PRAGMA cache_size", usualCache) && execute(db, "PRAGMA cache_size=-65536");
    const bool whole = checkIntegrity(db, problem, onlyIndexes);
    if (raised)
        execute(db, "PRAGMA cache_size=" + usualCache);
    return whole;
}

} // namespace

bool isSound(sqlite3* db, bool everyPage, std::string& problem, bool* onlyIndexes) {
    bool indexes = false;
    problem = lengthProblem(db);
    if (problem.empty())
        problem = schemaProblem(db);
    if (problem.empty() && everyPage)
        readWhole(db, problem, indexes);
    if (onlyIndexes)
        *onlyIndexes = indexes;
    return problem.empty();
}

bool rebuildIndexes(sqlite3* db, std::string& problem) {
    bool onlyIndexes = false;
    if (!execute(db, "BEGIN IMMEDIATE")) {
        problem = sqlite3_errmsg(db);
        return false;
    }
    if (!execute(db, "REINDEX"))
        problem = sqlite3_errmsg(db);
    else if (readWhole(db, problem, onlyIndexes) && execute(db, "COMMIT"))
        return true;
    if (!sqlite3_get_autocommit(db))
        execute(db, "ROLLBACK");
    if (problem.empty())
        problem = sqlite3_errmsg(db);
    return false;
}

// Runs `statements` on sqlite_master itself, then reorders the indexes.
static StorageFailure rewriteSchema(sqlite3* db, const std::string& statements) {
    std::string version;
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 0, nullptr);
    const bool done =
        execute(db, "BEGIN IMMEDIATE") && firstText(db, "PRAGMA schema_version", version) &&
        execute(db, "PRAGMA writable_schema=ON") && execute(db, statements) &&
        execute(db, "PRAGMA schema_version=" + std::to_string(std::stoll(version) + 1)) &&
        execute(db, "PRAGMA writable_schema=OFF") && execute(db, "REINDEX") &&
        execute(db, "COMMIT");
    if (done)
        return StorageFailure::None;
    const StorageFailure failure = failureOf(db);
    execute(db, "PRAGMA writable_schema=OFF");
    if (!sqlite3_get_autocommit(db))
        execute(db, "ROLLBACK");
    return failure;
}

StorageFailure makeTextExact(sqlite3* db) {
    std::string oldTables;
    if (!firstText(db,
                   "SELECT count(*) FROM sqlite_master WHERE type='table' AND sql LIKE "
                   "'%COLLATE NOCASE%'",
                   oldTables))
        return failureOf(db);
    if (oldTables == "0")
        return StorageFailure::None;
    // The tables keep their rows as they are: a collation changes only how
    // text is compared and how indexes are ordered, and REINDEX reorders them.
    return rewriteSchema(db, "UPDATE sqlite_master SET sql=replace(sql,' COLLATE NOCASE','') "
                             "WHERE type='table'");
}

StorageFailure keepMoneyToTheFen(sqlite3* db) {
    // Earlier files kept amounts as whole yuan or as 7-digit floats.
    static const struct {
        const char* table;
        const char* column;
        ColumnKind before;
    } columns[] = {{"存单", "减免金额", ColumnKind::Decimal}, {"存单", "合计", ColumnKind::Single},
                   {"存单", "已付", ColumnKind::Decimal},     {"存单", "实付", ColumnKind::Decimal},
                   {"存单详单", "小计", ColumnKind::Single},  {"菜单", "价格", ColumnKind::Double}};
    std::string replacements;
    for (const auto& c : columns) {
        std::string type;
        if (!firstText(db,
                       std::string("SELECT type FROM pragma_table_info('") + c.table +
                           "') WHERE name='" + c.column + "'",
                       type))
            return failureOf(db);
        if (type == "MONEY")
            continue;
        const std::string from = Schema::columnSql({c.column, c.before});
        const std::string to = Schema::columnSql({c.column, ColumnKind::Money});
        replacements += std::string("UPDATE sqlite_master SET sql=replace(sql,") +
                        Values::sqlQuote(from) + "," + Values::sqlQuote(to) +
                        ") WHERE type='table' AND name=" + Values::sqlQuote(c.table) + ";";
    }
    if (replacements.empty())
        return StorageFailure::None;
    // Only the declarations change: every stored amount stays as it is.
    return rewriteSchema(db, replacements);
}

StorageFailure addLaterTablesAndColumns(sqlite3* db) {
    for (const TableDef& table : Schema::tables())
        if (!table.inTemplate && !execute(db, Schema::createTableSql(table)))
            return failureOf(db);
    Tables declared;
    if (!declaredTables(db, declared))
        return failureOf(db);
    for (const TableDef& table : Schema::tables()) {
        const Columns& columns = declared[table.name];
        for (const ColumnDef& column : table.columns)
            if (!column.inTemplate && !columns.contains(column.name) &&
                !execute(db, "ALTER TABLE " + table.name + " ADD " + Schema::columnSql(column)))
                return failureOf(db);
    }
    return StorageFailure::None;
}

bool version(sqlite3* db, int& version) {
    std::string text;
    if (!firstText(db, "PRAGMA user_version", text))
        return false;
    version = std::stoi(text);
    return true;
}

StorageFailure failureOf(sqlite3* db) {
    if (!db)
        return StorageFailure::NotOpen;
    const int systemError = sqlite3_system_errno(db);
    switch (sqlite3_extended_errcode(db) & 0xff) {
    case SQLITE_FULL:
        return StorageFailure::DiskFull;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return StorageFailure::ReadOnly;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return StorageFailure::Damaged;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return StorageFailure::Busy;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        if (systemError == ENOSPC || systemError == EDQUOT || systemError == EFBIG)
            return StorageFailure::DiskFull;
        if (systemError == EROFS || systemError == EACCES || systemError == EPERM)
            return StorageFailure::ReadOnly;
        // A file that cannot be read where it stands is as good as damaged;
        // one that cannot be found was never opened.
        return (sqlite3_extended_errcode(db) & 0xff) == SQLITE_IOERR ? StorageFailure::Damaged
                                                                     : StorageFailure::NotOpen;
    default:
        return StorageFailure::Statement;
    }
}

} // namespace SqliteFile
