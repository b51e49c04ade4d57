#pragma once
#include "storage/engine/ResultRows.h"
#include <map>
#include <utility>
#include <vector>

struct pg_result;

// The rows of one select on the server, all fetched at once. A column read
// straight from a table takes that column's kind, as on SQLite; an
// expression takes the type of its value.
class ServerRows : public ResultRows {
  public:
    // Table oid and column number to the kind of that column.
    using ColumnKinds = std::map<std::pair<unsigned, int>, int>;

    ServerRows(pg_result* result, const ColumnKinds& kinds);
    ~ServerRows() override;
    ServerRows(const ServerRows&) = delete;
    ServerRows& operator=(const ServerRows&) = delete;

    bool isEOF() const override { return m_row >= m_rows; }
    void moveNext() override;
    int columnCount() const override;
    int columnIndex(const std::string& name) const override;
    DbValue value(int index) const override;
    std::string columnName(int index) const override;
    // Every row arrived with the result.
    bool readFailed(std::string&) const override { return false; }

  private:
    DbValue expressionValue(int index, const char* text) const;

    pg_result* m_result;
    int m_row = 0;
    int m_rows;
    std::vector<int> m_kinds; // column kind, -1 for expressions
};
