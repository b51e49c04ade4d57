#include "storage/engine/StatementCache.h"
#include "storage/engine/RecordSet.h"
#include <sqlite3.h>

StatementCache::~StatementCache() {
    for (const Kept& kept : m_order)
        sqlite3_finalize(kept.statement);
}

sqlite3_stmt* StatementCache::find(const std::string& text) {
    if (const auto found = m_byText.find(text); found != m_byText.end()) {
        m_order.splice(m_order.begin(), m_order, found->second);
        return found->second->statement;
    }
    std::string ignored;
    sqlite3_stmt* statement = RecordSet::prepare(m_db, text, ignored);
    if (!statement)
        return nullptr;
    if (m_order.size() >= m_capacity) {
        sqlite3_finalize(m_order.back().statement);
        m_byText.erase(m_order.back().text);
        m_order.pop_back();
    }
    m_order.push_front({text, statement});
    m_byText.emplace(text, m_order.begin());
    return statement;
}

bool StatementCache::bind(sqlite3_stmt* statement, const ParameterizedStatement& values) {
    int position = 0;
    for (const ParameterizedStatement::Value& value : values.values) {
        ++position;
        int rc = SQLITE_OK;
        if (const auto* whole = std::get_if<long long>(&value))
            rc = sqlite3_bind_int64(statement, position, *whole);
        else if (const auto* real = std::get_if<double>(&value))
            rc = sqlite3_bind_double(statement, position, *real);
        else {
            const std::string& text = std::get<std::string>(value);
            rc = sqlite3_bind_text64(statement, position, text.data(), text.size(),
                                     SQLITE_TRANSIENT, SQLITE_UTF8);
        }
        if (rc != SQLITE_OK)
            return false;
    }
    return true;
}

StatementCache::Outcome StatementCache::run(const ParameterizedStatement& values,
                                            std::string& error) {
    sqlite3_stmt* statement = find(values.text);
    if (!statement || !bind(statement, values))
        return Outcome::NotPrepared;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        error = sqlite3_errmsg(m_db);
    // Reset keeps the failure as the connection's last error, and lets go
    // of what the statement holds of the file.
    sqlite3_reset(statement);
    return rc == SQLITE_DONE ? Outcome::Done : Outcome::Failed;
}
