#pragma once
#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <string>

struct sqlite3;
struct sqlite3_backup;

// A consistent copy of an open database into a file, made in small steps so
// that the source connection is never held for long. Orders stored through
// the same connection while it runs are carried into the copy; the steps may
// run on a thread of their own, as the connection serializes its users. The copy is
// written under a temporary name and renamed only once it is whole and on
// the disk, so a file under the final name is never half written.
class DatabaseCopy {
  public:
    enum class State { Copying, Syncing, Done, Failed };

    // `whenOnDisk` runs once the copy has its final name, off the window's
    // thread like all the waiting for the disk.
    DatabaseCopy(sqlite3* source, std::string target, std::function<void()> whenOnDisk = {});
    // A copy still running is abandoned and its temporary file removed.
    ~DatabaseCopy();
    DatabaseCopy(const DatabaseCopy&) = delete;
    DatabaseCopy& operator=(const DatabaseCopy&) = delete;

    // Copies up to `pages` pages, or looks whether the file reached the
    // disk; never waits for the disk itself. Busy source: tried again later.
    State step(int pages);
    // Steps of `pages` until done or failed, waiting for the disk; `pause`
    // between steps lets the other users of the source connection in. A set
    // `stop` ends it early, still running.
    State runToEnd(int pages = -1, std::chrono::milliseconds pause = {},
                   const std::atomic<bool>* stop = nullptr);

    State state() const { return m_state; }
    bool running() const { return m_state == State::Copying || m_state == State::Syncing; }
    bool waitingForDisk() const { return m_state == State::Syncing; }
    // Why it failed, in Chinese, without a full stop.
    const std::string& problem() const { return m_problem; }
    const std::string& target() const { return m_target; }
    std::string temporaryPath() const { return m_target + ".part"; }

  private:
    void fail(const std::string& problem);
    void closeTarget();
    void startSync();
    void finishSync();
    int flushEveryFewMegabytes(int pages, int flushed);

    std::string m_target;
    std::function<void()> m_whenOnDisk;
    sqlite3* m_targetDb = nullptr;
    sqlite3_backup* m_backup = nullptr;
    std::future<std::string> m_synced; // the problem; empty when the copy is in place
    State m_state = State::Copying;
    bool m_busy = false; // the last step found the source busy
    std::string m_problem;
};
