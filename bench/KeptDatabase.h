#pragma once
#include "storage/Database.h"
#include "storage/ProgramFolder.h"
#include "storage/StorageStartup.h"

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <string>

// Rows go in whole or not at all: a half-filled file would be kept for later runs.
template <typename MakeRows> bool fillDirectly(const std::string& path, MakeRows& makeRows) {
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK)
        return false;
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    makeRows(db);
    const bool ok = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// A large database made once in a folder of the temporary folder and kept
// there between runs: filling it takes longer than what is measured on it.
// makeRows is given the file straight on SQLite, in one transaction: through
// the dialect translator the set-up alone would take longer than what is
// measured.
template <typename MakeRows>
Database& keptDatabase(const std::string& folderName, MakeRows makeRows) {
    static Database db;
    if (db.isOpen())
        return db;
    const auto folder = std::filesystem::temp_directory_path() / folderName;
    const bool fresh = !std::filesystem::exists(folder / "data" / "data.mdb");
    std::filesystem::create_directories(folder);
    ProgramFolder::setPath(folder.string());
    if (fresh) {
        {
            Database creator; // the schema, from the program's own start-up
            if (!StorageStartup::openDatabase(creator))
                std::abort();
        }
        if (!fillDirectly(ProgramFolder::databasePath(), makeRows))
            std::abort();
    }
    if (!StorageStartup::openDatabase(db))
        std::abort();
    return db;
}
