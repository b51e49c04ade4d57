#pragma once
#include "storage/engine/Database.h"

#include <cstdio>
#include <cstdlib>
#include <string>

// A statement that sets up or resets a measurement: one that failed would
// leave the run measuring other data than it says, so it ends the run.
inline void mustExecute(Database& db, const std::string& sql) {
    if (db.ExecuteSql(sql))
        return;
    std::fprintf(stderr, "%s: %s\n", sql.c_str(), db.lastError().c_str());
    std::exit(1);
}
