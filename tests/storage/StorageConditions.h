#pragma once
#include "storage/Database.h"

#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sqlite3.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Real ways a working database stops taking writes, made on a test's own file.
namespace StorageConditions {

inline std::string firstText(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    std::string text;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0))
        text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    return text;
}

// The file may grow no further: the next write that needs a page finds the
// disk full. Writes are not flushed to the disk, so that filling it is quick.
inline void fillDisk(Database& db) {
    const std::string pages = firstText(db.connection(), "PRAGMA page_count");
    sqlite3_exec(db.connection(), ("PRAGMA synchronous=OFF;PRAGMA max_page_count=" + pages).c_str(),
                 nullptr, nullptr, nullptr);
}

// The failure of the first of `attempt(1)`, `attempt(2)`, ... that fails.
template <typename Result, typename Attempt>
Result firstFailure(const Attempt& attempt, const Result& success) {
    for (int i = 1; i <= 1000; ++i)
        if (Result result = attempt(i); result != success)
            return result;
    return success;
}

// Overwrites page `page` (from 1) of the file with bytes that make no page.
inline void overwritePage(const std::string& path, long page, unsigned char fill) {
    const int fd = ::open(path.c_str(), O_WRONLY);
    const std::string bytes(4096, static_cast<char>(fill));
    (void)!::pwrite(fd, bytes.data(), bytes.size(), (page - 1) * 4096);
    ::close(fd);
}

// Damages the first page of a table under an open connection, and changes the
// file's change counter so that the connection reads the page again.
inline void damageTable(Database& db, const std::string& path, const std::string& table) {
    const long root = std::stol(firstText(
        db.connection(), "select rootpage from sqlite_master where name='" + table + "'"));
    overwritePage(path, root, 0xA5);
    const int fd = ::open(path.c_str(), O_RDWR);
    unsigned char counter[4];
    (void)!::pread(fd, counter, 4, 24);
    counter[3] = static_cast<unsigned char>(counter[3] + 1);
    (void)!::pwrite(fd, counter, 4, 24);
    ::close(fd);
}

// Another program holds the write lock for as long as this lives; the test's
// connection gives up at once instead of waiting.
class OtherWriter {
  public:
    OtherWriter(Database& db, const std::string& path) {
        sqlite3_busy_timeout(db.connection(), 0);
        sqlite3_open(path.c_str(), &m_other);
        sqlite3_exec(m_other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    }
    ~OtherWriter() { sqlite3_close_v2(m_other); }
    OtherWriter(const OtherWriter&) = delete;
    OtherWriter& operator=(const OtherWriter&) = delete;

  private:
    sqlite3* m_other = nullptr;
};

// Runs `operation` on a fresh connection to `path` while the folder that
// holds the file cannot be written. Root may write anywhere, so for root the
// operation runs in a child process as the user nobody. Its result is a text.
inline std::string inReadOnlyFolder(const std::string& path,
                                    const std::function<std::string(Database&)>& operation) {
    const std::filesystem::path file(path);
    const std::string folder = file.parent_path().string();
    const bool root = ::geteuid() == 0;
    if (root) {
        ::chmod(file.parent_path().parent_path().c_str(), 0755);
        (void)!::chown(folder.c_str(), 65534, 65534);
        (void)!::chown(path.c_str(), 65534, 65534);
    }
    ::chmod(folder.c_str(), 0555);
    auto run = [&] {
        Database db;
        if (!db.NewOpenDatabase(Database::primaryConnectionText(path, "tw")))
            return std::string("未能打开：") + db.lastError();
        return operation(db);
    };
    std::string result;
    if (!root) {
        result = run();
    } else {
        int pipeEnds[2];
        (void)!::pipe(pipeEnds);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipeEnds[0]);
            const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
            const std::string text = dropped ? run() : "未能换成普通用户";
            (void)!::write(pipeEnds[1], text.data(), text.size());
            ::_exit(0);
        }
        ::close(pipeEnds[1]);
        char buffer[4096];
        for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
            result.append(buffer, static_cast<std::size_t>(n));
        ::close(pipeEnds[0]);
        ::waitpid(child, nullptr, 0);
        (void)!::chown(folder.c_str(), 0, 0);
        (void)!::chown(path.c_str(), 0, 0);
    }
    ::chmod(folder.c_str(), 0755);
    return result;
}

} // namespace StorageConditions
