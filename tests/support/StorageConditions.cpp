#include "support/StorageConditions.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace StorageConditions {
namespace {

// Overwrites page `page` (from 1) of the file with bytes that make no page.
void overwritePage(const std::string& path, long page, unsigned char fill) {
    const int fd = ::open(path.c_str(), O_WRONLY);
    const std::string bytes(4096, static_cast<char>(fill));
    (void)!::pwrite(fd, bytes.data(), bytes.size(), (page - 1) * 4096);
    ::close(fd);
}

} // namespace

std::string firstText(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    std::string text;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0))
        text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    return text;
}

void fillDisk(Database& db) {
    const std::string pages = firstText(db.connection(), "PRAGMA page_count");
    sqlite3_exec(db.connection(), ("PRAGMA synchronous=OFF;PRAGMA max_page_count=" + pages).c_str(),
                 nullptr, nullptr, nullptr);
}

void damagePage(const std::string& path, long page) {
    overwritePage(path, page, 0xA5);
    const int fd = ::open(path.c_str(), O_RDWR);
    unsigned char counter[4];
    (void)!::pread(fd, counter, 4, 24);
    counter[3] = static_cast<unsigned char>(counter[3] + 1);
    (void)!::pwrite(fd, counter, 4, 24);
    ::close(fd);
}

void damageTable(Database& db, const std::string& path, const std::string& table) {
    damagePage(path, std::stol(firstText(db.connection(),
                                         "select rootpage from sqlite_master where name='" + table +
                                             "'")));
}

namespace {

void executeAll(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK)
        ADD_FAILURE() << sql << ": " << (error ? error : "");
    sqlite3_free(error);
}

void setIndexSql(const std::string& path, const std::string& index, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_stmt* statement = nullptr;
    executeAll(db, "PRAGMA writable_schema=ON");
    sqlite3_prepare_v2(db, "UPDATE sqlite_master SET sql=?1 WHERE name=?2", -1, &statement,
                       nullptr);
    sqlite3_bind_text(statement, 1, sql.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(statement, 2, index.c_str(), -1, SQLITE_TRANSIENT);
    EXPECT_EQ(sqlite3_step(statement), SQLITE_DONE) << sqlite3_errmsg(db);
    sqlite3_finalize(statement);
    sqlite3_close(db);
}

} // namespace

void changeBehindIndex(const std::string& path, const std::string& index, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    const std::string definition =
        firstText(db, "select sql from sqlite_master where type='index' and name='" + index + "'");
    sqlite3_close(db);
    ASSERT_FALSE(definition.empty()) << index;
    // A partial index that takes no row is left alone by every change.
    setIndexSql(path, index, definition + " WHERE 0");
    sqlite3_open(path.c_str(), &db);
    executeAll(db, sql);
    sqlite3_close(db);
    setIndexSql(path, index, definition);
}

void makeLaterVersion(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    executeAll(db, "PRAGMA user_version=99;"
                   "CREATE TABLE 会员 (ID INTEGER PRIMARY KEY, 卡号 TEXT(16));"
                   "ALTER TABLE 存单 ADD 会员ID INT32;"
                   "CREATE TRIGGER 存单_会员 BEFORE INSERT ON 存单 WHEN NEW.会员ID IS NULL "
                   "BEGIN SELECT RAISE(ABORT, '缺少会员'); END;");
    sqlite3_close(db);
}

OtherWriter::OtherWriter(Database& db, const std::string& path) {
    sqlite3_busy_timeout(db.connection(), 0);
    sqlite3_open(path.c_str(), &m_other);
    sqlite3_exec(m_other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
}

OtherWriter::~OtherWriter() {
    sqlite3_close_v2(m_other);
}

std::string inReadOnlyFolder(const std::string& path,
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
