#include "storage/StorageStartup.h"
#include "storage/Database.h"
#include "storage/ProgramFolder.h"
#include "storage/SettingsStore.h"

namespace StorageStartup {

bool openDatabase(Database& db) {
    return openDatabase(db, ProgramFolder::databasePath());
}

bool openDatabase(Database& db, const std::string& path) {
    return db.open(path, password) && SettingsStore(db).seedFirstStart();
}

std::string failureMessage(const Database& db, const std::string& path) {
    const StorageFailure failure = db.lastFailure();
    if (failure == StorageFailure::Damaged)
        return "数据库文件已损坏，程序不会使用也不会改动它。\r\n\r\n文件位置：" + path;
    const std::string reason = StorageFailures::reason(failure);
    if (reason.empty())
        return "数据库打开失败。";
    return "数据库打开失败：" + reason + "。\r\n\r\n文件位置：" + path;
}

} // namespace StorageStartup
