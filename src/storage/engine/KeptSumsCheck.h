#pragma once
#include "storage/engine/ReadResult.h"

#include <string>

class Database;

// Compares the sums the database keeps per day with sums over the order rows
// and adds them up again from the rows when they differ: after a crash of an
// older program, or rows changed by hand with the triggers away.
class KeptSumsCheck {
  public:
    explicit KeptSumsCheck(Database& db) : m_db(db) {}

    // How many kept sums differ from the rows; a read that fails is a failure.
    ReadResult<long long> differences();
    // Empties the kept sums and adds them up from the rows, in one transaction.
    bool rebuild();
    // Checks, rebuilds when they differ, and says so for the person who asked.
    // False when the check or the rebuild failed (nothing changed then).
    bool checkAndRepair(std::string& said);

  private:
    Database& m_db;
};
