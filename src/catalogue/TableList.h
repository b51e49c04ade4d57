#pragma once
#include "catalogue/ListOutcome.h"
#include "catalogue/ListRows.h"
#include "storage/engine/ReadResult.h"

#include <string>

class Database;

// The tables and number plates of 桌号, and the table list window's working
// copy of them.
class TableList {
  public:
    enum Column { Code = 1, Name = 2 };

    explicit TableList(Database& db) : m_db(db) {}

    ReadResult<ListRows> load() const;
    // Code and name are trimmed; success leaves the new row to be appended at outcome.row.
    [[nodiscard]] ListOutcome add(const std::string& code, const std::string& name,
                                  const ListRows& shown);
    // The table is found by its name; its code must not be another row's.
    [[nodiscard]] ListOutcome modify(const std::string& code, const std::string& name,
                                     const ListRows& shown);
    // Deletes every table with the row's name.
    [[nodiscard]] bool remove(const ListRow& row);

    static std::string deleteQuestion(const ListRow& row);
    // The list row of a table as its fields give it, trimmed.
    static ListRow toRow(const std::string& code, const std::string& name);

  private:
    static std::string fieldRefusal(const std::string& code, const std::string& name);

    Database& m_db;
};
