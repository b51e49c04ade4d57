#pragma once
#include "storage/engine/ParameterizedStatement.h"
#include <list>
#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

// The writes a till repeats, each prepared once and run again with its new
// values bound: an order's insert, its lines, its change record. The least
// recently run is let go when more are kept than `capacity`.
class StatementCache {
  public:
    explicit StatementCache(sqlite3* db, std::size_t capacity = 32)
        : m_db(db), m_capacity(capacity) {}
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    enum class Outcome { Done, Failed, NotPrepared };
    // NotPrepared when the statement does not prepare: the caller runs the
    // text as written, so that its message names what is wrong with it.
    Outcome run(const ParameterizedStatement& statement, std::string& error);
    std::size_t size() const { return m_order.size(); }

  private:
    struct Kept {
        std::string text;
        sqlite3_stmt* statement;
    };
    sqlite3_stmt* find(const std::string& text);
    bool bind(sqlite3_stmt* statement, const ParameterizedStatement& values);

    sqlite3* m_db;
    std::size_t m_capacity;
    std::list<Kept> m_order; // most recently run first
    std::unordered_map<std::string, std::list<Kept>::iterator> m_byText;
};
