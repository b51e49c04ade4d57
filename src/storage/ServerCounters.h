#pragma once
#include <memory>
#include <string>

struct TableDef;
struct pg_conn;

// The counters a server hands autonumbers out from. Rows copied with their
// own numbers do not move them, so they are moved on past those numbers, on
// a connection of their own: a counter is outside every transaction.
class ServerCounters {
  public:
    explicit ServerCounters(const std::string& connection);
    ~ServerCounters();
    ServerCounters(const ServerCounters&) = delete;
    ServerCounters& operator=(const ServerCounters&) = delete;

    // The next number the table's autonumber gives is lastId + 1 or more.
    bool continueAfter(const TableDef& table, long long lastId);
    const std::string& problem() const { return m_problem; }

  private:
    pg_conn* m_connection;
    std::string m_problem;
};
