#pragma once
#include "storage/copies/BackupFolder.h"
#include <atomic>
#include <memory>
#include <string>
#include <thread>

class Clock;
class Database;
class DatabaseCopy;

// The copies the program takes by itself: at the first start of a day and
// when it closes. A copy runs on a thread of its own in small steps through
// the program's connection, so the window waits at most for one step when
// it uses the database; a failure never stops the till, it is told once.
class AutomaticBackups {
  public:
    AutomaticBackups(Database& db, const Clock& clock);
    // A copy still running is abandoned.
    ~AutomaticBackups();

    // Starts a copy when none was taken today; false when none started.
    bool startIfDue();
    // Starts a copy unless one runs; false when it could not start.
    bool start();
    // Looks whether the copy ended; true while it still runs.
    bool poll();
    // Completes the running copy, waiting for the disk.
    void finish();
    // Drops the running copy, before the database is closed or replaced.
    void abandon();
    bool running() const { return m_copy != nullptr; }

    // "自动备份失败：<reason>。" once after a copy failed, then empty.
    std::string takeFailure();
    BackupFolder folder() const;

    static constexpr int pagesPerStep = 16;

  private:
    void settle();

    Database& m_db;
    const Clock& m_clock;
    std::unique_ptr<DatabaseCopy> m_copy;
    std::thread m_worker;
    std::atomic<bool> m_ended{false};
    std::atomic<bool> m_stop{false};
    std::string m_failure;
};
