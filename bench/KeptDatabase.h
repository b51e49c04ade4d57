#pragma once
#include "storage/Database.h"
#include "storage/ProgramFolder.h"
#include "storage/StorageStartup.h"

#include <cstdlib>
#include <filesystem>
#include <string>

// A large database made once in a folder of the temporary folder and kept
// there between runs: filling it takes longer than what is measured on it.
// fill writes the rows straight into the file at the path it is given.
template <typename Fill> Database& keptDatabase(const std::string& folderName, Fill fill) {
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
        if (!fill(ProgramFolder::databasePath()))
            std::abort();
    }
    if (!StorageStartup::openDatabase(db))
        std::abort();
    return db;
}
