#pragma once
#include "storage/engine/StorageEngine.h"
#include <memory>

class StatementCache;

struct sqlite3;

// The embedded engine: one SQLite file, opened by Database, closed with this.
class SqliteEngine : public StorageEngine {
  public:
    explicit SqliteEngine(sqlite3* db);
    ~SqliteEngine() override;
    SqliteEngine(const SqliteEngine&) = delete;
    SqliteEngine& operator=(const SqliteEngine&) = delete;

    bool execute(const std::string& sql, std::string& error) override;
    std::unique_ptr<ResultRows> query(const std::string& sql, std::string& error) override;
    bool begin(std::string& error) override;
    bool commit(std::string& error) override;
    void rollback() override;
    bool inTransaction() const override;
    long long lastInsertId() const override;
    StorageFailure failure() const override;
    void setClock(const Clock* clock) override;

    sqlite3* handle() const { return m_db; }

  private:
    bool run(const char* sql, std::string& error);

    sqlite3* m_db;
    std::unique_ptr<StatementCache> m_writes;
};
