#pragma once
#include "storage/values/DateTime.h"
#include <cstdint>
#include <string>
#include <vector>

// The automatic copies of the database, in 备份/ beside it, named
// "data-YYYYMMDD-HHMMSS.mdb" by the time they were taken: which are there,
// what the next is called, and which rotation keeps.
class BackupFolder {
  public:
    struct Copy {
        std::string path;
        DateTime time;
        std::uintmax_t size = 0;
    };

    explicit BackupFolder(std::string folder) : m_folder(std::move(folder)) {}
    // The folder of the database at `databasePath`.
    static BackupFolder beside(const std::string& databasePath);

    const std::string& path() const { return m_folder; }
    // Makes the folder; false when it cannot be made.
    bool create() const;
    // Newest first; other files of the folder are not copies.
    std::vector<Copy> copies() const;
    std::string pathFor(const DateTime& time) const;
    // "data-YYYYMMDD-HHMMSS.mdb"
    static std::string fileName(const DateTime& time);
    // Where a restore keeps the database it replaces; rotation leaves it alone.
    std::string replacedPath(const DateTime& time) const;
    // The copy taken before demo data is generated, in a folder of its own:
    // rotation, which may run meanwhile, neither keeps nor removes it.
    std::string beforeDemoPath(const DateTime& time) const;
    bool hasCopyOf(const DateTime& day) const;

    // The newest copy of each of the last 14 days that have one, and the
    // newest of each of the 12 months up to `now`'s; `copies` newest first.
    static std::vector<Copy> kept(const std::vector<Copy>& copies, const DateTime& now);
    // Deletes the copies rotation does not keep and copies that never finished.
    void rotate(const DateTime& now) const;
    // Deletes copies that never finished: a killed program leaves them.
    void removeUnfinished() const;

    static constexpr int keptDays = 14;
    static constexpr int keptMonths = 12;

  private:
    std::string m_folder;
};
