#include "storage/copies/DatabaseCopy.h"
#include "storage/values/SafeFile.h"
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <sqlite3.h>
#include <thread>

namespace {

std::string reasonOf(sqlite3* db, int rc) {
    const int systemError = db ? sqlite3_system_errno(db) : 0;
    if ((rc & 0xff) == SQLITE_FULL || systemError == ENOSPC || systemError == EDQUOT)
        return "磁盘空间已满";
    switch (rc & 0xff) {
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        return "文件夹无法写入";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return "数据库文件已损坏";
    default:
        return db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    }
}

void removeFile(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

} // namespace

DatabaseCopy::DatabaseCopy(sqlite3* source, std::string target, std::function<void()> whenOnDisk)
    : m_target(std::move(target)), m_whenOnDisk(std::move(whenOnDisk)) {
    const std::string temporary = temporaryPath();
    removeFile(temporary);
    removeFile(temporary + "-journal");
    const int rc = sqlite3_open_v2(temporary.c_str(), &m_targetDb,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK || !source) {
        fail(reasonOf(m_targetDb, rc));
        return;
    }
    // The file is thrown away when anything fails, so it needs no journal;
    // it is flushed to the disk once, off the window's thread, at the end.
    sqlite3_exec(m_targetDb, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", nullptr, nullptr,
                 nullptr);
    m_backup = sqlite3_backup_init(m_targetDb, "main", source, "main");
    if (!m_backup)
        fail(reasonOf(m_targetDb, sqlite3_errcode(m_targetDb)));
}

DatabaseCopy::~DatabaseCopy() {
    if (m_state == State::Syncing)
        m_synced.wait();
    if (running())
        fail({});
}

DatabaseCopy::State DatabaseCopy::step(int pages) {
    if (m_state == State::Syncing) {
        if (m_synced.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
            finishSync();
        return m_state;
    }
    if (m_state != State::Copying)
        return m_state;
    const int rc = sqlite3_backup_step(m_backup, pages);
    m_busy = rc == SQLITE_BUSY || rc == SQLITE_LOCKED;
    if (rc == SQLITE_OK || m_busy)
        return m_state;
    const int finished = sqlite3_backup_finish(m_backup);
    m_backup = nullptr;
    if (rc != SQLITE_DONE || finished != SQLITE_OK) {
        fail(reasonOf(m_targetDb, rc != SQLITE_DONE ? rc : finished));
        return m_state;
    }
    startSync();
    return m_state;
}

DatabaseCopy::State DatabaseCopy::runToEnd(int pages, std::chrono::milliseconds pause,
                                           const std::atomic<bool>* stop) {
    // The source is busy only while a statement of the same program holds
    // it; give that a few seconds.
    int flushed = -1;
    for (int waits = 0; m_state == State::Copying && !(stop && *stop);) {
        step(pages);
        if (!m_busy) {
            waits = 0;
            flushed = flushEveryFewMegabytes(pages, flushed);
            std::this_thread::sleep_for(pause);
        } else if (++waits == 300) {
            fail("数据库正忙");
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    if (m_state == State::Syncing) {
        m_synced.wait();
        finishSync();
    }
    return m_state;
}

// Dirty pages of the copy piling up in the system's cache would make the
// next settlement's flush to the disk wait for all of them.
int DatabaseCopy::flushEveryFewMegabytes(int pages, int flushed) {
    const int done =
        m_backup ? sqlite3_backup_pagecount(m_backup) - sqlite3_backup_remaining(m_backup) : 0;
    if (pages <= 0 || done - flushed < 1024)
        return flushed;
    SafeFile::flush(temporaryPath());
    return done;
}

// Closing, flushing and renaming a file of some hundred megabytes, and
// deleting old ones, can each take longer than the window may wait.
void DatabaseCopy::startSync() {
    m_state = State::Syncing;
    sqlite3* targetDb = m_targetDb;
    m_targetDb = nullptr;
    m_synced = std::async(std::launch::async, [targetDb, temporary = temporaryPath(),
                                               target = m_target, whenOnDisk = m_whenOnDisk] {
        if (sqlite3_close(targetDb) != SQLITE_OK)
            return std::string("备份文件无法写完");
        if (!SafeFile::flush(temporary))
            return std::string("备份文件无法写入磁盘");
        if (!SafeFile::rename(temporary, target))
            return std::string("备份文件无法改名");
        if (whenOnDisk)
            whenOnDisk();
        return std::string();
    });
}

void DatabaseCopy::finishSync() {
    const std::string problem = m_synced.get();
    if (problem.empty())
        m_state = State::Done;
    else
        fail(problem);
}

void DatabaseCopy::fail(const std::string& problem) {
    closeTarget();
    removeFile(temporaryPath());
    removeFile(temporaryPath() + "-journal");
    m_state = State::Failed;
    m_problem = problem;
}

void DatabaseCopy::closeTarget() {
    if (m_backup)
        sqlite3_backup_finish(m_backup);
    m_backup = nullptr;
    if (m_targetDb)
        sqlite3_close(m_targetDb);
    m_targetDb = nullptr;
}
