#pragma once
#include "storage/BackupFolder.h"
#include <chrono>
#include <memory>
#include <string>

class Clock;
class Database;
class DatabaseCopy;

// The copies the program takes by itself: at the first start of a day and
// when it closes. The window steps a running copy between its events; a
// failure never stops the till, it is only told once.
class AutomaticBackups {
  public:
    AutomaticBackups(Database& db, const Clock& clock);
    ~AutomaticBackups();

    // Starts a copy when none was taken today; false when none started.
    bool startIfDue();
    // Starts a copy unless one runs; false when it could not start.
    bool start();
    // Copies for about `budget`; true while the copy still runs.
    bool step(std::chrono::milliseconds budget = defaultBudget);
    // Completes the running copy, waiting for the disk.
    void finish();
    // Drops the running copy, before the database is closed or replaced.
    void abandon();
    bool running() const;

    // "自动备份失败：<reason>。" once after a copy failed, then empty.
    std::string takeFailure();
    BackupFolder folder() const;

    static constexpr std::chrono::milliseconds defaultBudget{8};
    static constexpr int pagesPerRound = 16;

  private:
    void settle();

    Database& m_db;
    const Clock& m_clock;
    std::unique_ptr<DatabaseCopy> m_copy;
    std::string m_failure;
};
