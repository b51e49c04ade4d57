#pragma once
#include "storage/engine/Database.h"

#include <functional>
#include <string>

struct sqlite3;

// Real ways a working database stops taking writes, made on a test's own file.
namespace StorageConditions {

// The first column of the first row, read straight from SQLite.
std::string firstText(sqlite3* db, const std::string& sql);

// The file may grow no further: the next write that needs a page finds the
// disk full. Writes are not flushed to the disk, so that filling it is quick.
void fillDisk(Database& db);

// The failure of the first of `attempt(1)`, `attempt(2)`, ... that fails.
template <typename Result, typename Attempt>
Result firstFailure(const Attempt& attempt, const Result& success) {
    for (int i = 1; i <= 1000; ++i)
        if (Result result = attempt(i); result != success)
            return result;
    return success;
}

// Damages page `page` (from 1) under an open connection, and changes the
// file's change counter so that the connection reads the page again.
void damagePage(const std::string& path, long page);
// Damages the first page of a table or an index, as damagePage does.
void damageTable(Database& db, const std::string& path, const std::string& table);

// Runs `sql` on the closed file at `path` while the index of that name does
// not see it: afterwards the index lacks the rows added and keeps the rows
// deleted, as after a crash that wrote the pages of a table and not those of
// its index. Every page of the file stays sound.
void changeBehindIndex(const std::string& path, const std::string& index, const std::string& sql);

// Makes the closed file at `path` one of schema version 99: a table and a
// column this program does not know, and a trigger that refuses every new
// order.
void makeLaterVersion(const std::string& path);

// Another program holds the write lock for as long as this lives; the test's
// connection gives up at once instead of waiting.
class OtherWriter {
  public:
    OtherWriter(Database& db, const std::string& path);
    ~OtherWriter();
    OtherWriter(const OtherWriter&) = delete;
    OtherWriter& operator=(const OtherWriter&) = delete;

  private:
    sqlite3* m_other = nullptr;
};

// Runs `operation` on a fresh connection to `path` while the folder that
// holds the file cannot be written. Root may write anywhere, so for root the
// operation runs in a child process as the user nobody. Its result is a text.
std::string inReadOnlyFolder(const std::string& path,
                             const std::function<std::string(Database&)>& operation);

} // namespace StorageConditions
