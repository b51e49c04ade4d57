#include "storage/ServerCounters.h"
#include "storage/Schema.h"
#include "storage/ServerProbe.h"
#include "storage/ServerSchema.h"

#include <libpq-fe.h>

#include <algorithm>
#include <memory>

ServerCounters::ServerCounters(const std::string& connection)
    : m_connection(PQconnectdb(connection.c_str())) {
    if (PQstatus(m_connection) != CONNECTION_OK)
        m_problem = ServerProbe::failure(connection, PQerrorMessage(m_connection));
}

ServerCounters::~ServerCounters() {
    PQfinish(m_connection);
}

// A counter never goes back: numbers handed out since stay unique.
bool ServerCounters::continueAfter(const TableDef& table, long long lastId) {
    if (!m_problem.empty())
        return false;
    const std::string tableName = ServerSchema::name(table.name);
    // The column is looked up as written, so a plain name goes in the
    // folded form the server keeps it in.
    std::string column = table.columns.front().name;
    if (ServerSchema::isPlainName(column))
        std::transform(column.begin(), column.end(), column.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    const std::string last = std::to_string(lastId);
    const char* values[] = {tableName.c_str(), column.c_str(), last.c_str()};
    std::unique_ptr<PGresult, void (*)(PGresult*)> result(
        PQexecParams(
            m_connection,
            "select setval(s, greatest($3::bigint, coalesce(pg_sequence_last_value(s), 0))) "
            "from (select pg_get_serial_sequence($1, $2)::regclass as s) as counter",
            3, nullptr, values, nullptr, nullptr, 0),
        PQclear);
    if (PQresultStatus(result.get()) == PGRES_TUPLES_OK)
        return true;
    m_problem = PQresultErrorMessage(result.get());
    return false;
}
