#pragma once
#include "storage/engine/ServerLink.h"
#include "storage/engine/ServerRows.h"
#include "storage/engine/StorageEngine.h"

#include <chrono>

struct pg_result;

// A PostgreSQL database that several tills share, through libpq. Every wait
// has a time limit; a link that broke is opened again by the next statement
// that may run on a new one, so a till outlives a restart of the server.
class ServerEngine : public StorageEngine {
  public:
    ServerEngine(const ServerEngine&) = delete;
    ServerEngine& operator=(const ServerEngine&) = delete;

    // Connects once within startLimit and creates what an empty database
    // lacks; null, with why in `error` and `failure`, when the server cannot
    // be used.
    static std::unique_ptr<ServerEngine> connect(const std::string& connection, const Clock* clock,
                                                 std::string& error, StorageFailure& failure);
    static constexpr std::chrono::seconds startLimit{10};

    bool execute(const std::string& sql, std::string& error) override;
    std::unique_ptr<ResultRows> query(const std::string& sql, std::string& error) override;
    bool begin(std::string& error) override;
    bool commit(std::string& error) override;
    void rollback() override;
    bool inTransaction() const override;
    long long lastInsertId() const override { return m_lastInsertId; }
    StorageFailure failure() const override { return m_failure; }
    void setClock(const Clock* clock) override;
    void setLongWork(bool longWork) override;

  private:
    ServerEngine(std::string connection, const Clock* clock);
    // One statement (or several of this program's own when `several`) on a
    // link that is open or opened again; null with `error` and m_failure.
    pg_result* run(const std::string& sql, bool several, std::string& error);
    pg_result* exchange(const std::string& sql, bool several, std::string& error);
    bool runAll(const std::string& sql, std::string& error);
    bool linkReady(std::string& error);
    bool reconnect(std::string& error);
    bool unreachable(std::string& error);
    bool unreachable(std::string& error, const std::string& said);
    // Whether a statement that failed with the link may be sent once more:
    // not inside a transaction, not after waiting out a time limit, and
    // only a statement that stores nothing or never reached the server.
    bool mayResend(bool storesNothing) const;
    bool prepareSession(std::string& error);
    std::string sessionSql() const;
    bool prepareSchema(std::string& error);
    bool readVersion(int& version, std::string& error);
    bool loadColumnKinds(std::string& error);
    std::chrono::milliseconds answerLimit() const;

    ServerLink m_link;
    std::string m_connection;
    std::string m_server; // host:port, for messages
    const Clock* m_clock;
    ServerRows::ColumnKinds m_kinds;
    long long m_lastInsertId = 0;
    bool m_columnsChanged = false; // in the open transaction
    bool m_inTransaction = false;  // begun and not yet ended here
    bool m_longWork = false;
    bool m_sent = false; // the last statement reached the server
    std::string m_lostMessage;
    std::chrono::steady_clock::time_point m_retryAfter{};
    StorageFailure m_failure = StorageFailure::None;
};
