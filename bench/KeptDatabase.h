#pragma once
#include "storage/engine/Database.h"
#include "storage/config/ProgramFolder.h"
#include "storage/engine/StorageStartup.h"
#include "support/DirectInsert.h"

#include <sqlite3.h>

#include <cstdio>
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

inline void makeOrderLines(sqlite3* db) {
    constexpr int lineCount = 1'000'000;
    constexpr int linesPerOrder = 3;
    DirectInsert order(db, "insert into 存单 (编号,时间,合计,实付,桌号,是否结算) values "
                           "(?1,?2,36.5,36,'A3',1)");
    DirectInsert line(
        db,
        "insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) values (?,?,?,1,'份',12.5)");
    char time[32];
    for (int id = 1; (id - 1) * linesPerOrder < lineCount; ++id) {
        const int day = id / 300;
        std::snprintf(time, sizeof time, "%04d-%02d-%02d %02d:%02d:00", 2023 + day / 336,
                      1 + day / 28 % 12, 1 + day % 28, 8 + id % 300 / 30, id % 60);
        order.bind(1, 1 + id % 300).bind(2, std::string(time)).insert();
        for (int i = 0; i < linesPerOrder && (id - 1) * linesPerOrder + i < lineCount; ++i) {
            line.bind(1, id).bind(2, std::string(time));
            line.bind(3, std::string(i == 0 ? "红烧排骨饭" : "青岛纯生")).insert();
        }
    }
}

// A busy shop after some years: 1,000,000 order lines, three an order,
// about 300 orders a day from 2023.
inline Database& orderLinesDatabase() {
    return keptDatabase("tablewise-bench-order-lines", makeOrderLines);
}
