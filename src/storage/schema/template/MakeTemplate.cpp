// Build step: writes the template database (schema and seed rows) to the
// path given, for embedding into the program.
#include "storage/schema/Schema.h"
#include <cstdio>
#include <sqlite3.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output-file\n", argv[0]);
        return 2;
    }
    std::remove(argv[1]);
    sqlite3* db = nullptr;
    char* error = nullptr;
    std::string sql = "PRAGMA page_size=4096;BEGIN;" + Schema::templateSql() + "COMMIT;VACUUM;";
    if (sqlite3_open(argv[1], &db) != SQLITE_OK ||
        sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "template: %s\n", error ? error : sqlite3_errmsg(db));
        sqlite3_close(db);
        std::remove(argv[1]);
        return 1;
    }
    sqlite3_close(db);
    return 0;
}
