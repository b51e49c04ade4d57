#include "storage/copies/DatabaseRestore.h"
#include "storage/engine/Database.h"
#include "storage/engine/SqliteFile.h"
#include "storage/engine/StorageStartup.h"
#include "storage/schema/SchemaUpgrade.h"
#include "storage/values/SafeFile.h"
#include <filesystem>
#include <sqlite3.h>

namespace fs = std::filesystem;

namespace {

std::string columnText(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text ? reinterpret_cast<const char*>(text) : "";
}

// Runs `sql` and hands each row to `row`; false when the statement fails.
template <typename Row> bool eachRow(sqlite3* db, const char* sql, Row row) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
        return false;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        row(statement);
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE;
}

std::string problemOf(sqlite3* db, bool everyPage, bool& laterVersion) {
    int version = 0;
    if (!eachRow(db, "SELECT count(*) FROM sqlite_master", [](sqlite3_stmt*) {}) ||
        !SqliteFile::version(db, version))
        return "不是 Tablewise 数据文件";
    // A file of a later version would be refused at the next start.
    std::string problem = SchemaUpgrade::refusal(version);
    laterVersion = !problem.empty();
    // Length and schema as start-up checks them; every page, and every index
    // against its table, before a file replaces the database.
    if (problem.empty())
        SqliteFile::isSound(db, everyPage, problem);
    return problem;
}

// "（<cause>）" when the database can name why it failed.
std::string reasonOf(const Database& db) {
    const std::string reason = StorageFailures::reason(db.lastFailure());
    return reason.empty() ? std::string() : "（" + reason + "）";
}

} // namespace

BackupSummary DatabaseRestore::inspect(const std::string& path, bool everyPage) {
    BackupSummary summary;
    std::error_code error;
    summary.size = fs::file_size(path, error);
    sqlite3* db = nullptr;
    if (error || sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        summary.problem = "文件无法打开";
    else
        summary.problem = problemOf(db, everyPage, summary.laterVersion);
    if (summary.problem.empty() &&
        !eachRow(db, "SELECT count(*), min(时间), max(时间) FROM 存单", [&](sqlite3_stmt* s) {
            summary.orders = sqlite3_column_int64(s, 0);
            summary.firstOrder = columnText(s, 1);
            summary.lastOrder = columnText(s, 2);
        }))
        summary.problem = "订单无法读出";
    sqlite3_close(db);
    summary.sound = summary.problem.empty();
    return summary;
}

std::optional<DatabaseRestore::SoundCopy> DatabaseRestore::newestSound(const BackupFolder& folder) {
    for (const BackupFolder::Copy& copy : folder.copies())
        if (BackupSummary summary = inspect(copy.path); summary.sound)
            return SoundCopy{copy, summary};
    return std::nullopt;
}

DatabaseRestore::DatabaseRestore(Database& db, std::string databasePath)
    : m_db(db), m_databasePath(std::move(databasePath)) {}

DatabaseRestore::~DatabaseRestore() {
    std::error_code ignored;
    fs::remove(stagedPath(), ignored);
}

BackupSummary DatabaseRestore::stage(const std::string& backupPath) {
    std::error_code error;
    fs::copy_file(backupPath, stagedPath(), fs::copy_options::overwrite_existing, error);
    if (error) {
        BackupSummary summary;
        summary.problem = "文件无法复制到数据文件夹";
        return summary;
    }
    return inspect(stagedPath());
}

bool DatabaseRestore::swap(const std::string& keptPath,
                           const std::function<bool(Database&)>& finish) {
    m_db.close();
    std::error_code error;
    // A journal left beside the database belongs to it and to no other file.
    if (fs::exists(m_databasePath + "-journal", error))
        return putBack({}, "数据库正在使用中");
    fs::create_directories(fs::path(keptPath).parent_path(), error);
    if (!SafeFile::rename(m_databasePath, keptPath))
        return putBack({}, "当前数据库无法移到备份文件夹");
    if (!SafeFile::rename(stagedPath(), m_databasePath))
        return putBack(keptPath, "备份文件无法放入数据文件夹");
    if (!StorageStartup::openDatabase(m_db, m_databasePath)) {
        m_db.close();
        return putBack(keptPath, "恢复的数据库无法打开");
    }
    if (finish && !finish(m_db)) {
        m_db.close();
        return putBack(keptPath, "恢复的数据库无法写入");
    }
    return true;
}

// A database left closed would fail every later order unseen, so a put-back
// database that does not open again is told with the restore's failure.
bool DatabaseRestore::putBack(const std::string& keptPath, const std::string& problem) {
    const bool movedBack = keptPath.empty() || SafeFile::rename(keptPath, m_databasePath);
    m_problem = problem;
    if (!movedBack)
        m_problem += "；原来的数据库没能放回原处，它保存在 " + keptPath +
                     "，请关闭程序后把它放回 " + m_databasePath;
    else if (!StorageStartup::openDatabase(m_db, m_databasePath))
        m_problem += "；原来的数据库没能重新打开" + reasonOf(m_db) + "，请关闭程序后重新启动";
    return false;
}

std::string DatabaseRestore::describe(const BackupSummary& summary) {
    std::string text = "订单：" + std::to_string(summary.orders) + " 张";
    if (summary.orders > 0)
        text += "\n第一张订单：" + summary.firstOrder + "\n最后一张订单：" + summary.lastOrder;
    return text;
}
