#include "storage/engine/StorageStartup.h"
#include "storage/config/ConnectionFields.h"
#include "storage/config/ProgramFolder.h"
#include "storage/config/ServerProbe.h"
#include "storage/config/SettingsStore.h"
#include "storage/copies/BackupFolder.h"
#include "storage/engine/Database.h"

namespace StorageStartup {

bool openDatabase(Database& db) {
    const std::string path = ProgramFolder::databasePath();
    // Only this program copies into that folder, and only one runs.
    BackupFolder::beside(path).removeUnfinished();
    return openDatabase(db, path);
}

bool openDatabase(Database& db, const std::string& path) {
    return db.open(path, password) && SettingsStore(db).seedFirstStart();
}

bool openServer(Database& db, const std::string& connection) {
    return db.openServer(connection) && SettingsStore(db).seedFirstStart();
}

// Start-up tries once: a server that could not be reached is named with
// why; one that was reached refused what start-up asked of it.
std::string serverFailureMessage(Database& db, const std::string& connection) {
    if (db.lastFailure() == StorageFailure::NotOpen && !db.isOpen() &&
        db.lastError().rfind("无法连接数据库服务器", 0) == 0)
        return db.lastError();
    return "数据库服务器 " + ConnectionFields::parse(connection).server() +
           " 已连接，但其中的数据无法使用：" + ServerProbe::failure(connection, db.lastError());
}

std::string failureMessage(const Database& db, const std::string& path) {
    const StorageFailure failure = db.lastFailure();
    if (failure == StorageFailure::Damaged)
        return "数据库文件已损坏，程序不会使用也不会改动它。\r\n\r\n文件位置：" + path;
    if (failure == StorageFailure::LaterVersion)
        return db.lastError() + "。数据库文件没有改动。\r\n\r\n文件位置：" + path;
    const std::string reason = StorageFailures::reason(failure);
    if (reason.empty())
        return "数据库打开失败。";
    return "数据库打开失败：" + reason + "。\r\n\r\n文件位置：" + path;
}

std::string notice(const Database& db) {
    if (!db.indexesRebuilt())
        return {};
    return "启动时检查发现数据库的索引已损坏，已按订单数据重建，订单没有丢失。"
           "如果再次出现，请检查电脑的硬盘和电源。";
}

} // namespace StorageStartup
