#pragma once
#include "storage/engine/ReadResult.h"

#include <cstddef>
#include <string>
#include <vector>

class Database;

// The in-memory copy of the table list (codes and display names) that the
// table code box selects from.
class TableCache {
  public:
    struct Table {
        std::string code;
        std::string name;
    };
    // What the table drop-down holds after a code was typed.
    struct Choice {
        std::vector<std::string> names;
        int selected = -1;
    };

    // The number of tables read; a failed read keeps the tables there were.
    ReadResult<std::size_t> load(Database& db);
    void setTables(std::vector<Table> tables) { m_tables = std::move(tables); }
    const std::vector<Table>& tables() const { return m_tables; }

    // Names up to and including the first table whose code equals the text
    // exactly, that one selected; all names and no selection without a match.
    Choice chooseByCode(const std::string& code) const;

  private:
    std::vector<Table> m_tables;
};
