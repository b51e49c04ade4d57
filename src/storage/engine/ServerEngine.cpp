#include "storage/engine/ServerEngine.h"
#include "storage/config/ConnectionFields.h"
#include "storage/config/ServerProbe.h"
#include "storage/schema/SchemaUpgrade.h"
#include "storage/schema/ServerSchema.h"
#include "storage/values/Clock.h"
#include <cstring>
#include <libpq-fe.h>

namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

// Advisory lock keys: one for creating the schema, one that every writing
// transaction holds, which lets one till write at a time as on SQLite.
constexpr const char* schemaLock = "SELECT pg_advisory_xact_lock(7746, 1)";
constexpr const char* beginSql =
    "BEGIN;SET LOCAL lock_timeout = '4s';SELECT pg_advisory_xact_lock(7746, 2)";

// A cashier's statement is cut off by the server first, which keeps the
// link; the till's own, longer wait is for a server that answers nothing.
constexpr const char* cashierStatementLimit = "5s";
constexpr milliseconds cashierAnswerLimit = seconds(8);
// Conversions, restores, imports and reports over years.
constexpr const char* longStatementLimit = "30min";
constexpr milliseconds longAnswerLimit = seconds(31 * 60);
// Opening a link again in the middle of a shift, and the pause after a
// failed attempt, so one handler's statements do not each wait for it.
constexpr milliseconds reconnectLimit = seconds(4);
constexpr milliseconds retryPause = seconds(3);

bool succeeded(const PGresult* result) {
    const ExecStatusType status = PQresultStatus(result);
    return result && (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK);
}

StorageFailure failureOf(const PGresult* result) {
    const char* state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
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
        return StorageFailure::Unreachable;
    return StorageFailure::Statement;
}

} // namespace

ServerEngine::ServerEngine(std::string connection, const Clock* clock)
    : m_connection(std::move(connection)), m_server(ConnectionFields::parse(m_connection).server()),
      m_clock(clock) {}

std::unique_ptr<ServerEngine> ServerEngine::connect(const std::string& connection,
                                                    const Clock* clock, std::string& error,
                                                    StorageFailure& failure) {
    std::unique_ptr<ServerEngine> engine(new ServerEngine(connection, clock));
    std::string said;
    if (!engine->m_link.open(connection, startLimit, said)) {
        error = "无法连接数据库服务器 " + engine->m_server + "：" +
                ServerProbe::failure(connection, said);
        failure = StorageFailure::NotOpen;
        return nullptr;
    }
    // Creating the tables of an empty database may take longer than a sale.
    engine->m_longWork = true;
    const bool ready = engine->prepareSession(error) && engine->prepareSchema(error) &&
                       engine->loadColumnKinds(error);
    if (!ready) {
        failure = engine->m_failure;
        return nullptr;
    }
    engine->setLongWork(false);
    return engine;
}

milliseconds ServerEngine::answerLimit() const {
    return m_longWork ? longAnswerLimit : cashierAnswerLimit;
}

// Quoting doubles quotes and nothing else, so backslashes must stay plain
// characters. A till that dies inside a transaction must not keep the
// others from writing.
std::string ServerEngine::sessionSql() const {
    return std::string("SET client_encoding = 'UTF8';"
                       "SET standard_conforming_strings = on;"
                       "SET idle_in_transaction_session_timeout = '60s';"
                       "SET statement_timeout = '") +
           (m_longWork ? longStatementLimit : cashierStatementLimit) +
           "';SELECT set_config('tablewise.year', '" + std::to_string(m_clock->now().year) +
           "', false)";
}

bool ServerEngine::prepareSession(std::string& error) {
    PGresult* result = exchange(sessionSql(), true, error);
    PQclear(result);
    return result != nullptr;
}

pg_result* ServerEngine::exchange(const std::string& sql, bool several, std::string& error) {
    m_failure = StorageFailure::None;
    PGresult* result = m_link.exchange(sql, several, answerLimit(), error);
    m_sent = m_link.lastSent();
    if (succeeded(result))
        return result;
    const bool linkKept = result && m_link.stillOpen();
    if (result)
        error = ServerLink::trimmed(PQresultErrorMessage(result));
    if (linkKept) {
        m_failure = failureOf(result);
        PQclear(result);
        return nullptr;
    }
    PQclear(result);
    m_link.close();
    return unreachable(error, error), nullptr;
}

// `said` is libpq's word for why the link is gone.
bool ServerEngine::unreachable(std::string& error, const std::string& said) {
    m_lostMessage =
        "连接不上数据库服务器 " + m_server + "：" + ServerProbe::failure(m_connection, said);
    return unreachable(error);
}

bool ServerEngine::unreachable(std::string& error) {
    m_failure = StorageFailure::Unreachable;
    error = m_lostMessage;
    return false;
}

// A link lost inside a transaction took the transaction with it: nothing
// more runs until the caller has rolled back, or the rest of it would be
// stored on its own.
bool ServerEngine::linkReady(std::string& error) {
    m_sent = false;
    if (m_link.stillOpen())
        return true;
    if (m_lostMessage.empty())
        m_lostMessage = "与数据库服务器 " + m_server + " 的连接已断开。";
    if (m_inTransaction || std::chrono::steady_clock::now() < m_retryAfter)
        return unreachable(error);
    return reconnect(error);
}

bool ServerEngine::reconnect(std::string& error) {
    std::string said;
    if (m_link.open(m_connection, reconnectLimit, said) && prepareSession(said) &&
        loadColumnKinds(said)) {
        m_lostMessage.clear();
        return true;
    }
    m_link.close();
    m_retryAfter = std::chrono::steady_clock::now() + retryPause;
    return unreachable(error, said);
}

bool ServerEngine::mayResend(bool storesNothing) const {
    return m_failure == StorageFailure::Unreachable && !m_inTransaction && !m_link.lastTimedOut() &&
           (storesNothing || !m_sent);
}

PGresult* ServerEngine::run(const std::string& sql, bool several, std::string& error) {
    if (!linkReady(error))
        return nullptr;
    return exchange(sql, several, error);
}

// Several statements of this program's own, in one round trip.
bool ServerEngine::runAll(const std::string& sql, std::string& error) {
    PGresult* result = run(sql, true, error);
    PQclear(result);
    return result != nullptr;
}

bool ServerEngine::prepareSchema(std::string& error) {
    PGresult* encoding = run("SELECT current_setting('server_encoding')", false, error);
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
    m_inTransaction = true;
    PGresult* found = run(ServerSchema::lackingSql(), false, error);
    int version = 0;
    if (!found || !readVersion(version, error)) {
        PQclear(found);
        rollback();
        return false;
    }
    const bool empty = PQgetvalue(found, 0, 0)[0] == 't';
    const bool lacking = empty || PQgetvalue(found, 0, 1)[0] == 't';
    PQclear(found);
    const bool done =
        (!lacking || runAll(ServerSchema::createSql() + ServerSchema::functionsSql(), error)) &&
        (version == Schema::version || runAll(SchemaUpgrade::serverSql(version), error)) &&
        (!empty || runAll(Schema::seedSql(), error)) && runAll("COMMIT", error);
    m_inTransaction = false;
    if (!done)
        rollback();
    return done;
}

// A server that tills of a later version have upgraded is left to them:
// this till would store what that version no longer expects.
bool ServerEngine::readVersion(int& version, std::string& error) {
    PGresult* result = run(std::string("SELECT CASE WHEN to_regclass('") +
                               ServerSchema::versionTable + "') IS NOT NULL THEN 1 END",
                           false, error);
    if (!result)
        return false;
    const bool recorded = !PQgetisnull(result, 0, 0);
    PQclear(result);
    if (recorded) {
        result = run(std::string("SELECT max(\"版本\") FROM ") + ServerSchema::versionTable, false,
                     error);
        if (!result)
            return false;
        version = std::atoi(PQgetvalue(result, 0, 0));
        PQclear(result);
    }
    if (const std::string refused = SchemaUpgrade::refusal(version); !refused.empty()) {
        m_failure = StorageFailure::LaterVersion;
        error = refused + "，服务器上的数据没有改动。";
        return false;
    }
    return true;
}

bool ServerEngine::loadColumnKinds(std::string& error) {
    PGresult* result =
        run("SELECT c.oid, a.attnum, c.relname, a.attname FROM pg_class c "
            "JOIN pg_attribute a ON a.attrelid = c.oid "
            "WHERE c.relnamespace = current_schema()::regnamespace AND c.relkind = 'r' "
            "AND a.attnum > 0 AND NOT a.attisdropped",
            false, error);
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
    PGresult* result = run(sql, false, error);
    if (!result && mayResend(false))
        result = run(sql, false, error);
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
    PGresult* result = run(sql, false, error);
    if (!result && mayResend(true))
        result = run(sql, false, error);
    if (!result)
        return nullptr;
    return std::make_unique<ServerRows>(result, m_kinds);
}

// A till that waits longer than the lock limit for another is told to try again.
bool ServerEngine::begin(std::string& error) {
    bool begun = runAll(beginSql, error) || (mayResend(true) && runAll(beginSql, error));
    if (!begun) {
        rollback();
        return false;
    }
    m_inTransaction = true;
    return true;
}

// A COMMIT that was sent but never answered may have been stored: the caller
// must look before it writes the same again.
bool ServerEngine::commit(std::string& error) {
    PGresult* result = run("COMMIT", false, error);
    const bool lostAnswer = !result && m_sent && m_failure == StorageFailure::Unreachable;
    m_inTransaction = false;
    if (lostAnswer) {
        m_failure = StorageFailure::Unconfirmed;
        error = "保存时与数据库服务器 " + m_server + " 的连接中断，无法确认是否已经保存。";
    }
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
    const bool open = inTransaction();
    m_inTransaction = false;
    if (open && m_link.stillOpen()) {
        std::string error;
        PQclear(m_link.exchange("ROLLBACK", false, answerLimit(), error));
    }
    // Columns added or dropped in it are back as they were.
    if (m_columnsChanged) {
        std::string error;
        m_columnsChanged = false;
        loadColumnKinds(error);
    }
}

bool ServerEngine::inTransaction() const {
    if (m_inTransaction)
        return true;
    if (!m_link.raw())
        return false;
    const PGTransactionStatusType status = PQtransactionStatus(m_link.raw());
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
}

void ServerEngine::setClock(const Clock* clock) {
    m_clock = clock;
    std::string error;
    runAll("SELECT set_config('tablewise.year', '" + std::to_string(clock->now().year) +
               "', false)",
           error);
}

void ServerEngine::setLongWork(bool longWork) {
    m_longWork = longWork;
    std::string error;
    if (m_link.stillOpen())
        runAll(std::string("SET statement_timeout = '") +
                   (longWork ? longStatementLimit : cashierStatementLimit) + "'",
               error);
}
