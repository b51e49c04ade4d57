#pragma once
#include <string>

struct sqlite3;
struct sqlite3_stmt;

// One insert statement prepared straight on SQLite, for benchmarks that write
// a million rows: that many statements through the dialect translator would
// only slow the set-up down. Values are bound by position, from 1.
class DirectInsert {
  public:
    DirectInsert(sqlite3* db, const char* sql);
    ~DirectInsert();
    DirectInsert(const DirectInsert&) = delete;
    DirectInsert& operator=(const DirectInsert&) = delete;

    DirectInsert& bind(int position, int value);
    DirectInsert& bind(int position, double value);
    DirectInsert& bind(int position, const std::string& value);
    // Stores the row and makes the statement ready for the next one.
    void insert();

  private:
    sqlite3_stmt* m_statement = nullptr;
};
