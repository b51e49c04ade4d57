#include "storage/engine/ServerEngine.h"
#include "storage/values/Clock.h"
#include "storage/schema/ServerSchema.h"
#include <cstring>
#include <libpq-fe.h>

namespace {

// Advisory lock keys: one for creating the schema, one that every writing
// transaction holds, which lets one till write at a time as on SQLite.
constexpr const char* schemaLock = "SELECT pg_advisory_xact_lock(7746, 1)";
constexpr const char* writeLock = "SELECT pg_advisory_xact_lock(7746, 2)";

StorageFailure failureOf(PGconn* connection, const PGresult* result) {
    if (PQstatus(connection) != CONNECTION_OK)
        return StorageFailure::NotOpen;
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    if (!state)
        return StorageFailure::Statement;
    const std::string code = state;
    if (code == "40001" || code == "40P01" || code == "55P03" || code == "57014")
        return StorageFailure::Busy;
    if (code == "53100")
        return StorageFailure::DiskFull;
    if (code == "25006" || code == "42501")
        return StorageFailure::ReadOnly;
    if (code == "XX001" || code == "XX002")
        return StorageFailure::Damaged;
    if (code.starts_with("08") || code.starts_with("57P"))
        return StorageFailure::NotOpen;
    return StorageFailure::Statement;
}

std::string trimmedMessage(const char* message) {
    std::string text = message ? message : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

void ignoreNotice(void*, const char*) {}

} // namespace

ServerEngine::~ServerEngine() {
    PQfinish(m_connection);
}

std::unique_ptr<ServerEngine> ServerEngine::connect(const std::string& connection,
                                                    const Clock* clock, std::string& error,
                                                    StorageFailure& failure) {
    PGconn* raw = PQconnectdb(connection.c_str());
    if (PQstatus(raw) != CONNECTION_OK) {
        const char* host = PQhost(raw);
        const char* port = PQport(raw);
        error = "无法连接数据库服务器 " + std::string(host && *host ? host : "localhost") + ":" +
                (port && *port ? port : "5432") + "：" + trimmedMessage(PQerrorMessage(raw));
        failure = StorageFailure::NotOpen;
        PQfinish(raw);
        return nullptr;
    }
    PQsetNoticeProcessor(raw, ignoreNotice, nullptr);
    std::unique_ptr<ServerEngine> engine(new ServerEngine(raw));
    // Quoting doubles quotes and nothing else, so backslashes must stay plain characters.
    const bool ready = engine->runAll("SET client_encoding = 'UTF8';"
                                      "SET standard_conforming_strings = on;",
                                      error) &&
                       engine->prepareSchema(error) && engine->loadColumnKinds(error);
    if (!ready) {
        failure = engine->m_failure;
        return nullptr;
    }
    engine->setClock(clock);
    return engine;
}

PGresult* ServerEngine::run(const std::string& sql, std::string& error) {
    m_failure = StorageFailure::None;
    // The extended protocol takes exactly one statement.
    PGresult* result =
        PQexecParams(m_connection, sql.c_str(), 0, nullptr, nullptr, nullptr, nullptr, 0);
    const ExecStatusType status = PQresultStatus(result);
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
        return result;
    m_failure = failureOf(m_connection, result);
    error = trimmedMessage(result ? PQresultErrorMessage(result) : PQerrorMessage(m_connection));
    if (error.empty())
        error = trimmedMessage(PQerrorMessage(m_connection));
    PQclear(result);
    return nullptr;
}

// Several statements of this program's own, in one round trip.
bool ServerEngine::runAll(const std::string& sql, std::string& error) {
    m_failure = StorageFailure::None;
    PGresult* result = PQexec(m_connection, sql.c_str());
    const ExecStatusType status = PQresultStatus(result);
    const bool done = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
    if (!done) {
        m_failure = failureOf(m_connection, result);
        error = trimmedMessage(PQerrorMessage(m_connection));
    }
    PQclear(result);
    return done;
}

bool ServerEngine::prepareSchema(std::string& error) {
    PGresult* encoding = run("SELECT current_setting('server_encoding')", error);
    if (!encoding)
        return false;
    const bool utf8 = std::strcmp(PQgetvalue(encoding, 0, 0), "UTF8") == 0;
    PQclear(encoding);
    if (!utf8) {
        m_failure = StorageFailure::NotOpen;
        error = "服务器上的数据库不是 UTF8 编码，无法存放中文，请用 ENCODING 'UTF8' 重建它。";
        return false;
    }
    // Tills that start together wait for each other here, so the tables and
    // their seed rows are created once. A database that has everything is
    // left alone: the till's user need not own it.
    if (!runAll(std::string("BEGIN;") + schemaLock, error))
        return false;
    PGresult* found =
        run("SELECT to_regclass('\"存单\"') IS NULL, "
            "to_regclass('\"操作记录\"') IS NULL OR "
            "to_regprocedure('jet_autonumber_seen(text,bigint)') IS NULL OR NOT EXISTS "
            "(SELECT 1 FROM information_schema.columns WHERE table_schema = "
            "current_schema() AND table_name = '存单' AND column_name = '演示')",
            error);
    if (!found) {
        rollback();
        return false;
    }
    const bool empty = PQgetvalue(found, 0, 0)[0] == 't';
    const bool lacking = empty || PQgetvalue(found, 0, 1)[0] == 't';
    PQclear(found);
    const bool done =
        (!lacking || runAll(ServerSchema::createSql() + ServerSchema::functionsSql(), error)) &&
        (!empty || runAll(Schema::seedSql(), error)) && runAll("COMMIT", error);
    if (!done)
        rollback();
    return done;
}

bool ServerEngine::loadColumnKinds(std::string& error) {
    PGresult* result =
        run("SELECT c.oid, a.attnum, c.relname, a.attname FROM pg_class c "
            "JOIN pg_attribute a ON a.attrelid = c.oid "
            "WHERE c.relnamespace = current_schema()::regnamespace AND c.relkind = 'r' "
            "AND a.attnum > 0 AND NOT a.attisdropped",
            error);
    if (!result)
        return false;
    m_kinds.clear();
    for (int row = 0; row < PQntuples(result); ++row) {
        const TableDef* table = Schema::findTable(PQgetvalue(result, row, 2));
        const ColumnDef* column =
            table ? Schema::findColumn(*table, PQgetvalue(result, row, 3)) : nullptr;
        if (column)
            m_kinds[{static_cast<unsigned>(std::stoul(PQgetvalue(result, row, 0))),
                     std::stoi(PQgetvalue(result, row, 1))}] = static_cast<int>(column->kind);
    }
    PQclear(result);
    return true;
}

bool ServerEngine::execute(const std::string& sql, std::string& error) {
    PGresult* result = run(sql, error);
    if (!result)
        return false;
    const char* command = PQcmdStatus(result);
    if (std::strncmp(command, "INSERT", 6) == 0 && PQntuples(result) > 0 && PQnfields(result) > 0)
        m_lastInsertId = std::atoll(PQgetvalue(result, PQntuples(result) - 1, 0));
    const bool changedColumns = std::strncmp(command, "ALTER TABLE", 11) == 0;
    PQclear(result);
    m_columnsChanged = changedColumns && inTransaction();
    return !changedColumns || loadColumnKinds(error);
}

std::unique_ptr<ResultRows> ServerEngine::query(const std::string& sql, std::string& error) {
    PGresult* result = run(sql, error);
    if (!result)
        return nullptr;
    return std::make_unique<ServerRows>(result, m_kinds);
}

bool ServerEngine::begin(std::string& error) {
    // A till that waits longer than this for another is told to try again.
    return runAll(std::string("BEGIN;SET LOCAL lock_timeout = '10s';") + writeLock, error) ||
           (rollback(), false);
}

bool ServerEngine::commit(std::string& error) {
    PGresult* result = run("COMMIT", error);
    if (!result)
        return false;
    // A transaction in which a statement failed ends in a rollback, not a commit.
    const bool committed = std::strcmp(PQcmdStatus(result), "COMMIT") == 0;
    PQclear(result);
    if (!committed) {
        m_failure = StorageFailure::Statement;
        error = "事务中有语句失败，什么也没有保存。";
    }
    return committed;
}

void ServerEngine::rollback() {
    if (inTransaction()) {
        PGresult* result = PQexec(m_connection, "ROLLBACK");
        PQclear(result);
    }
    // Columns added or dropped in it are back as they were.
    if (m_columnsChanged) {
        std::string error;
        m_columnsChanged = false;
        loadColumnKinds(error);
    }
}

bool ServerEngine::inTransaction() const {
    const PGTransactionStatusType status = PQtransactionStatus(m_connection);
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
}

void ServerEngine::setClock(const Clock* clock) {
    std::string error;
    runAll("SELECT set_config('tablewise.year', '" + std::to_string(clock->now().year) +
               "', false)",
           error);
}
