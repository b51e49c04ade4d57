#include "support/DirectInsert.h"

#include <sqlite3.h>

#include <cstdio>

DirectInsert::DirectInsert(sqlite3* db, const char* sql) {
    if (sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr) != SQLITE_OK)
        std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(db));
}

DirectInsert::~DirectInsert() {
    sqlite3_finalize(m_statement);
}

DirectInsert& DirectInsert::bind(int position, int value) {
    sqlite3_bind_int(m_statement, position, value);
    return *this;
}

DirectInsert& DirectInsert::bind(int position, double value) {
    sqlite3_bind_double(m_statement, position, value);
    return *this;
}

DirectInsert& DirectInsert::bind(int position, const std::string& value) {
    sqlite3_bind_text(m_statement, position, value.c_str(), -1, SQLITE_TRANSIENT);
    return *this;
}

void DirectInsert::insert() {
    sqlite3_step(m_statement);
    sqlite3_reset(m_statement);
}
