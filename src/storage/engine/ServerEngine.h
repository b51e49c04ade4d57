#pragma once
#include "storage/engine/ServerRows.h"
#include "storage/engine/StorageEngine.h"

struct pg_conn;
struct pg_result;

// A PostgreSQL database that several tills share, through libpq.
class ServerEngine : public StorageEngine {
  public:
    ~ServerEngine() override;
    ServerEngine(const ServerEngine&) = delete;
    ServerEngine& operator=(const ServerEngine&) = delete;

    // Connects and creates what an empty database lacks; null, with why in
    // `error` and `failure`, when the server cannot be used.
    static std::unique_ptr<ServerEngine> connect(const std::string& connection, const Clock* clock,
                                                 std::string& error, StorageFailure& failure);

    bool execute(const std::string& sql, std::string& error) override;
    std::unique_ptr<ResultRows> query(const std::string& sql, std::string& error) override;
    bool begin(std::string& error) override;
    bool commit(std::string& error) override;
    void rollback() override;
    bool inTransaction() const override;
    long long lastInsertId() const override { return m_lastInsertId; }
    StorageFailure failure() const override { return m_failure; }
    void setClock(const Clock* clock) override;

  private:
    explicit ServerEngine(pg_conn* connection) : m_connection(connection) {}
    // The result of one statement, or null (with `error` and m_failure set).
    pg_result* run(const std::string& sql, std::string& error);
    bool runAll(const std::string& sql, std::string& error);
    bool prepareSchema(std::string& error);
    bool readVersion(int& version, std::string& error);
    bool loadColumnKinds(std::string& error);

    pg_conn* m_connection;
    ServerRows::ColumnKinds m_kinds;
    long long m_lastInsertId = 0;
    bool m_columnsChanged = false; // in the open transaction
    StorageFailure m_failure = StorageFailure::None;
};
