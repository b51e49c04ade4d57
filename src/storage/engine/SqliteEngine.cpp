#include "storage/engine/SqliteEngine.h"
#include "storage/dialect/JetFunctions.h"
#include "storage/engine/RecordSet.h"
#include "storage/engine/SqliteFile.h"
#include "storage/engine/StatementCache.h"
#include <sqlite3.h>

SqliteEngine::SqliteEngine(sqlite3* db)
    : m_db(db), m_writes(std::make_unique<StatementCache>(db)) {}

SqliteEngine::~SqliteEngine() {
    m_writes.reset(); // its statements, before the file they belong to
    sqlite3_close_v2(m_db);
}

bool SqliteEngine::execute(const std::string& sql, std::string& error) {
    if (const std::optional<ParameterizedStatement> write = ParameterizedStatement::of(sql)) {
        const StatementCache::Outcome outcome = m_writes->run(*write, error);
        if (outcome != StatementCache::Outcome::NotPrepared)
            return outcome == StatementCache::Outcome::Done;
    }
    sqlite3_stmt* statement = RecordSet::prepare(m_db, sql, error);
    if (!statement) {
        error = sqlite3_errmsg(m_db);
        return false;
    }
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        error = sqlite3_errmsg(m_db);
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE;
}

std::unique_ptr<ResultRows> SqliteEngine::query(const std::string& sql, std::string& error) {
    std::unique_ptr<RecordSet> set = RecordSet::open(m_db, sql, error);
    if (!set)
        error = sqlite3_errmsg(m_db);
    return set;
}

bool SqliteEngine::run(const char* sql, std::string& error) {
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    error = sqlite3_errmsg(m_db);
    return false;
}

bool SqliteEngine::begin(std::string& error) {
    return run("BEGIN IMMEDIATE", error);
}

bool SqliteEngine::commit(std::string& error) {
    return run("COMMIT", error);
}

void SqliteEngine::rollback() {
    if (!sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

bool SqliteEngine::inTransaction() const {
    return !sqlite3_get_autocommit(m_db);
}

long long SqliteEngine::lastInsertId() const {
    return sqlite3_last_insert_rowid(m_db);
}

StorageFailure SqliteEngine::failure() const {
    return SqliteFile::failureOf(m_db);
}

void SqliteEngine::setClock(const Clock* clock) {
    JetFunctions::registerAll(m_db, clock);
}
