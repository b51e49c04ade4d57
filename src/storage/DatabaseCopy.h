#pragma once
#include <future>
#include <string>

struct sqlite3;
struct sqlite3_backup;

// A consistent copy of an open database into a file, made in small steps so
// that the window between them stays responsive. Orders stored through the
// same connection while it runs are carried into the copy. The copy is
// written under a temporary name and renamed only once it is whole and on
// the disk, so a file under the final name is never half written.
class DatabaseCopy {
  public:
    enum class State { Copying, Syncing, Done, Failed };

    DatabaseCopy(sqlite3* source, std::string target);
    // A copy still running is abandoned and its temporary file removed.
    ~DatabaseCopy();
    DatabaseCopy(const DatabaseCopy&) = delete;
    DatabaseCopy& operator=(const DatabaseCopy&) = delete;

    // Copies up to `pages` pages, or checks whether the file reached the
    // disk; never waits for the disk itself. Busy source: tried again later.
    State step(int pages);
    // Steps until done or failed, waiting for the disk.
    State runToEnd();

    State state() const { return m_state; }
    bool running() const { return m_state == State::Copying || m_state == State::Syncing; }
    // Why it failed, in Chinese, without a full stop.
    const std::string& problem() const { return m_problem; }
    const std::string& target() const { return m_target; }
    std::string temporaryPath() const { return m_target + ".part"; }

  private:
    void fail(const std::string& problem);
    void closeTarget();
    void startSync();
    void finishSync();

    std::string m_target;
    sqlite3* m_targetDb = nullptr;
    sqlite3_backup* m_backup = nullptr;
    std::future<bool> m_synced;
    State m_state = State::Copying;
    std::string m_problem;
};
