#pragma once
#include "storage/copies/BackupFolder.h"
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class Database;

// What a file offered as a backup holds.
struct BackupSummary {
    bool sound = false;
    std::string problem;       // why it is not sound, in Chinese
    bool laterVersion = false; // sound perhaps, but of a later schema version
    long long orders = 0;
    std::string firstOrder, lastOrder; // times of the first and last order; empty without orders
    std::uintmax_t size = 0;
};

// Puts a backup in the place of the database. The file is copied beside the
// database and checked there, so what is checked is what goes in; the
// database it replaces is moved whole into the backup folder. Until the
// restored file is open, the current one stays where it was, byte for byte.
class DatabaseRestore {
  public:
    // Reads a file without writing to it. `everyPage` reads the whole file
    // back; without it only what a list needs is looked at.
    static BackupSummary inspect(const std::string& path, bool everyPage = true);

    struct SoundCopy {
        BackupFolder::Copy copy;
        BackupSummary summary;
    };
    // The newest automatic copy that is sound; none when no copy is.
    static std::optional<SoundCopy> newestSound(const BackupFolder& folder);

    DatabaseRestore(Database& db, std::string databasePath);
    // A file staged but never swapped in is removed.
    ~DatabaseRestore();
    DatabaseRestore(const DatabaseRestore&) = delete;
    DatabaseRestore& operator=(const DatabaseRestore&) = delete;

    // Copies `backupPath` beside the database and inspects the copy.
    BackupSummary stage(const std::string& backupPath);
    // Closes the database, keeps it at `keptPath`, puts the staged file in
    // its place, opens it and runs `finish` on it (what the restored data
    // must carry over and record). False with problem() when any of it
    // fails: then the database is back in place and open again.
    bool swap(const std::string& keptPath, const std::function<bool(Database&)>& finish = {});
    const std::string& problem() const { return m_problem; }

    // "订单：N 张" with the times of the first and last order, one a line.
    static std::string describe(const BackupSummary& summary);

  private:
    std::string stagedPath() const { return m_databasePath + ".restore"; }
    bool putBack(const std::string& keptPath, const std::string& problem);

    Database& m_db;
    std::string m_databasePath;
    std::string m_problem;
};
