#include "storage/DatabaseCopy.h"
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sqlite3.h>
#include <thread>
#include <unistd.h>

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

bool reachesDisk(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

void removeFile(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

} // namespace

DatabaseCopy::DatabaseCopy(sqlite3* source, std::string target) : m_target(std::move(target)) {
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
    if (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
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

DatabaseCopy::State DatabaseCopy::runToEnd() {
    // The source is busy only while a statement of the same program holds
    // it; give that a few seconds.
    for (int waits = 0; m_state == State::Copying; ++waits) {
        if (step(-1) != State::Copying)
            break;
        if (waits == 300) {
            fail("数据库正忙");
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (m_state == State::Syncing) {
        m_synced.wait();
        finishSync();
    }
    return m_state;
}

void DatabaseCopy::startSync() {
    const bool closed = sqlite3_close(m_targetDb) == SQLITE_OK;
    m_targetDb = nullptr;
    if (!closed) {
        fail("备份文件无法写完");
        return;
    }
    m_state = State::Syncing;
    m_synced = std::async(std::launch::async, reachesDisk, temporaryPath());
}

void DatabaseCopy::finishSync() {
    if (!m_synced.get()) {
        fail("备份文件无法写入磁盘");
        return;
    }
    std::error_code error;
    std::filesystem::rename(temporaryPath(), m_target, error);
    if (error) {
        fail("备份文件无法改名");
        return;
    }
    m_state = State::Done;
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
