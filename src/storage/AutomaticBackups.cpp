#include "storage/AutomaticBackups.h"
#include "storage/Clock.h"
#include "storage/Database.h"
#include "storage/DatabaseCopy.h"
#include "storage/ProgramFolder.h"

AutomaticBackups::AutomaticBackups(Database& db, const Clock& clock) : m_db(db), m_clock(clock) {}

AutomaticBackups::~AutomaticBackups() = default;

BackupFolder AutomaticBackups::folder() const {
    return BackupFolder::beside(ProgramFolder::databasePath());
}

bool AutomaticBackups::startIfDue() {
    return !folder().hasCopyOf(m_clock.now()) && start();
}

bool AutomaticBackups::start() {
    if (running())
        return true;
    const BackupFolder target = folder();
    if (!m_db.isOpen())
        return false;
    if (!target.create()) {
        m_failure = "文件夹无法创建";
        return false;
    }
    m_copy = std::make_unique<DatabaseCopy>(m_db.connection(), target.pathFor(m_clock.now()));
    settle();
    return running();
}

bool AutomaticBackups::step(std::chrono::milliseconds budget) {
    using Steady = std::chrono::steady_clock;
    const Steady::time_point end = Steady::now() + budget;
    // A copy waiting for the disk is only looked at once.
    while (running() && m_copy->step(pagesPerRound) == DatabaseCopy::State::Copying &&
           Steady::now() < end) {
    }
    settle();
    return running();
}

void AutomaticBackups::finish() {
    if (running())
        m_copy->runToEnd();
    settle();
}

void AutomaticBackups::abandon() {
    m_copy.reset();
}

bool AutomaticBackups::running() const {
    return m_copy && m_copy->running();
}

std::string AutomaticBackups::takeFailure() {
    if (m_failure.empty())
        return {};
    std::string message = "自动备份失败：" + m_failure + "。";
    m_failure.clear();
    return message;
}

// A finished copy is rotated in and dropped; a failed one leaves its reason.
void AutomaticBackups::settle() {
    if (!m_copy || running())
        return;
    if (m_copy->state() == DatabaseCopy::State::Done)
        folder().rotate(m_clock.now());
    else
        m_failure = m_copy->problem();
    m_copy.reset();
}
