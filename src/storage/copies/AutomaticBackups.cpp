#include "storage/copies/AutomaticBackups.h"
#include "storage/values/Clock.h"
#include "storage/engine/Database.h"
#include "storage/copies/DatabaseCopy.h"
#include "storage/config/ProgramFolder.h"
#include <sqlite3.h>

AutomaticBackups::AutomaticBackups(Database& db, const Clock& clock) : m_db(db), m_clock(clock) {}

AutomaticBackups::~AutomaticBackups() {
    abandon();
}

BackupFolder AutomaticBackups::folder() const {
    return BackupFolder::beside(ProgramFolder::databasePath());
}

bool AutomaticBackups::startIfDue() {
    return !folder().hasCopyOf(m_clock.now()) && start();
}

bool AutomaticBackups::start() {
    if (running())
        return true;
    // The copy shares the connection with the window: only a connection that
    // serializes its users may be stepped from another thread.
    if (!m_db.isOpen() || !sqlite3_db_mutex(m_db.connection()))
        return false;
    const BackupFolder target = folder();
    if (!target.create()) {
        m_failure = "文件夹无法创建";
        return false;
    }
    const DateTime now = m_clock.now();
    m_copy = std::make_unique<DatabaseCopy>(m_db.connection(), target.pathFor(now),
                                            [target, now] { target.rotate(now); });
    m_ended = false;
    m_worker = std::thread([this] {
        m_copy->runToEnd(pagesPerStep, std::chrono::milliseconds(1), &m_stop);
        m_ended = true;
    });
    return true;
}

bool AutomaticBackups::poll() {
    if (m_ended)
        settle();
    return running();
}

void AutomaticBackups::finish() {
    settle();
}

void AutomaticBackups::abandon() {
    m_stop = true;
    settle();
    m_stop = false;
}

std::string AutomaticBackups::takeFailure() {
    if (m_failure.empty())
        return {};
    std::string message = "自动备份失败：" + m_failure + "。";
    m_failure.clear();
    return message;
}

// Waits for the thread; a failed copy leaves its reason, an abandoned one
// its temporary file removed.
void AutomaticBackups::settle() {
    if (m_worker.joinable())
        m_worker.join();
    if (m_copy && m_copy->state() == DatabaseCopy::State::Failed)
        m_failure = m_copy->problem();
    m_copy.reset();
}
