#pragma once
#include "storage/engine/Database.h"

#include <libpq-fe.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>

// A database on the server named by TABLEWISE_TEST_SERVER (a libpq key=value
// text), made with the program's own schema, filled once by statements the
// server runs itself and kept between runs. Null when no server is named.
inline Database* keptServerDatabase(const std::string& name, const std::string& fillSql) {
    static std::map<std::string, std::unique_ptr<Database>> kept;
    if (auto found = kept.find(name); found != kept.end())
        return found->second.get();
    const char* server = std::getenv("TABLEWISE_TEST_SERVER");
    if (!server)
        return nullptr;
    auto run = [](const std::string& connection, const std::string& sql) {
        PGconn* c = PQconnectdb(connection.c_str());
        PGresult* result = PQexec(c, sql.c_str());
        const std::string value = PQntuples(result) > 0 ? PQgetvalue(result, 0, 0) : "";
        if (PQresultStatus(result) != PGRES_TUPLES_OK && PQresultStatus(result) != PGRES_COMMAND_OK)
            std::abort();
        PQclear(result);
        PQfinish(c);
        return value;
    };
    if (run(server, "SELECT count(*) FROM pg_database WHERE datname = '" + name + "'") == "0")
        run(server, "CREATE DATABASE " + name + " TEMPLATE template0 ENCODING 'UTF8' LOCALE 'C'");
    const std::string connection = std::string(server) + " dbname=" + name;
    auto db = std::make_unique<Database>();
    if (!db->openServer(connection))
        std::abort();
    // Vacuumed as autovacuum would leave a shop's database by then, so that
    // index-only scans can serve the reports. A test cluster commits without
    // waiting for the disk, and pages of a commit not yet on disk cannot be
    // marked all-visible: the fill waits for its commit.
    if (run(connection, "SELECT count(*) FROM \"存单\"") == "0") {
        run(connection, "SET synchronous_commit = on;BEGIN;" + fillSql + ";COMMIT");
        run(connection, "VACUUM ANALYZE");
    }
    return kept.emplace(name, std::move(db)).first->second.get();
}
