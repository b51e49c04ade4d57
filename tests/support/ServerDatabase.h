#pragma once
#include <string>

// A fresh, empty database on the test server (TABLEWISE_TEST_SERVER, a libpq
// key=value connection text), dropped with everything in it.
class ServerDatabase {
  public:
    ServerDatabase();
    ~ServerDatabase();
    ServerDatabase(const ServerDatabase&) = delete;
    ServerDatabase& operator=(const ServerDatabase&) = delete;

    // The test server's connection text; empty when none is set.
    static std::string server();
    // The connection text of this database.
    const std::string& connection() const { return m_connection; }

  private:
    std::string m_name;
    std::string m_connection;
};
