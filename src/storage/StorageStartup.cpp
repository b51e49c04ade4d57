#include "storage/StorageStartup.h"
#include "storage/Database.h"
#include "storage/ProgramFolder.h"
#include "storage/SettingsStore.h"

namespace StorageStartup {

bool openDatabase(Database& db) {
    return openDatabase(db, ProgramFolder::databasePath());
}

bool openDatabase(Database& db, const std::string& path) {
    if (!db.open(path, password))
        return false;
    SettingsStore(db).seedFirstStart();
    return true;
}

} // namespace StorageStartup
