#include "support/ServerDatabase.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <atomic>
#include <cstdlib>
#include <unistd.h>

namespace {

void runOnServer(const std::string& sql) {
    PGconn* connection = PQconnectdb(ServerDatabase::server().c_str());
    PGresult* result = PQexec(connection, sql.c_str());
    if (PQresultStatus(result) != PGRES_COMMAND_OK)
        ADD_FAILURE() << sql << ": " << PQerrorMessage(connection);
    PQclear(result);
    PQfinish(connection);
}

} // namespace

std::string ServerDatabase::server() {
    const char* text = std::getenv("TABLEWISE_TEST_SERVER");
    return text ? text : "";
}

ServerDatabase::ServerDatabase() {
    static std::atomic<int> made{0};
    m_name = "tw_test_" + std::to_string(getpid()) + "_" + std::to_string(++made);
    // Collation C, as a shop's database may well have any other: the columns
    // compare byte for byte whatever the database's own collation is.
    runOnServer("CREATE DATABASE " + m_name + " TEMPLATE template0 ENCODING 'UTF8' LOCALE 'C'");
    m_connection = server() + " dbname=" + m_name;
}

ServerDatabase::~ServerDatabase() {
    runOnServer("DROP DATABASE IF EXISTS " + m_name + " WITH (FORCE)");
}
