#pragma once
#include "storage/engine/ResultRows.h"
#include <memory>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The rows of one select, read one at a time; stands on its first row once opened.
class RecordSet : public ResultRows {
  public:
    ~RecordSet() override;
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;

    // Null (with the message in `error`) when the statement fails to prepare or to run.
    static std::unique_ptr<RecordSet> open(sqlite3* db, const std::string& sql, std::string& error);
    // Exactly one statement, or null with the message in `error`.
    static sqlite3_stmt* prepare(sqlite3* db, const std::string& sql, std::string& error);

    bool isEOF() const override { return m_eof; }
    void moveNext() override;
    int columnCount() const override { return static_cast<int>(m_names.size()); }
    int columnIndex(const std::string& name) const override;
    DbValue value(int index) const override;
    std::string columnName(int index) const override { return m_names[index]; }
    bool readFailed(std::string& error) const override;

  private:
    explicit RecordSet(sqlite3_stmt* statement);
    bool step();

    sqlite3_stmt* m_statement;
    bool m_eof = false;
    std::string m_error; // why a step failed; empty while none has
    std::vector<std::string> m_names;
    std::vector<int> m_kinds; // declared column kind, -1 for expressions
};
