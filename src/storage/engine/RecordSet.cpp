#include "storage/engine/RecordSet.h"
#include "storage/schema/Schema.h"
#include <sqlite3.h>

RecordSet::RecordSet(sqlite3_stmt* statement) : m_statement(statement) {
    int count = sqlite3_column_count(statement);
    for (int i = 0; i < count; ++i) {
        const char* name = sqlite3_column_name(statement, i);
        m_names.emplace_back(name ? name : "");
        ColumnKind kind;
        m_kinds.push_back(Schema::kindFromDeclaredType(sqlite3_column_decltype(statement, i), kind)
                              ? static_cast<int>(kind)
                              : -1);
    }
}

RecordSet::~RecordSet() {
    sqlite3_finalize(m_statement);
}

sqlite3_stmt* RecordSet::prepare(sqlite3* db, const std::string& sql, std::string& error) {
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &statement, &tail) !=
        SQLITE_OK) {
        error = sqlite3_errmsg(db);
        return nullptr;
    }
    if (!statement) {
        error = "空语句。";
        return nullptr;
    }
    // One statement per call: text after it would run unseen.
    for (; tail && *tail; ++tail)
        if (*tail != ' ' && *tail != ';' && *tail != '\n' && *tail != '\r' && *tail != '\t') {
            sqlite3_finalize(statement);
            error = "一次只能执行一条语句。";
            return nullptr;
        }
    return statement;
}

std::unique_ptr<RecordSet> RecordSet::open(sqlite3* db, const std::string& sql,
                                           std::string& error) {
    sqlite3_stmt* statement = prepare(db, sql, error);
    if (!statement)
        return nullptr;
    std::unique_ptr<RecordSet> set(new RecordSet(statement));
    if (!set->step()) {
        error = sqlite3_errmsg(db);
        return nullptr;
    }
    return set;
}

bool RecordSet::step() {
    int rc = sqlite3_step(m_statement);
    m_eof = rc != SQLITE_ROW;
    return rc == SQLITE_ROW || rc == SQLITE_DONE;
}

void RecordSet::moveNext() {
    if (!m_eof)
        step();
}

int RecordSet::columnIndex(const std::string& name) const {
    for (std::size_t i = 0; i < m_names.size(); ++i)
        if (Schema::equalsIgnoringCase(m_names[i], name))
            return static_cast<int>(i);
    return -1;
}

DbValue RecordSet::value(int index) const {
    using T = DbValue::Type;
    if (m_eof || index < 0 || index >= columnCount())
        return {};
    int storage = sqlite3_column_type(m_statement, index);
    if (storage == SQLITE_NULL)
        return {};
    auto text = [&] {
        const unsigned char* p = sqlite3_column_text(m_statement, index);
        return std::string(reinterpret_cast<const char*>(p),
                           static_cast<std::size_t>(sqlite3_column_bytes(m_statement, index)));
    };
    if (m_kinds[index] >= 0)
        switch (static_cast<ColumnKind>(m_kinds[index])) {
        case ColumnKind::AutoNumber:
        case ColumnKind::Int32:
            return DbValue::integer(T::Int32, sqlite3_column_int64(m_statement, index));
        case ColumnKind::Int16:
            return DbValue::integer(T::Int16, sqlite3_column_int64(m_statement, index));
        case ColumnKind::Single:
            return DbValue::real(T::Single, sqlite3_column_double(m_statement, index));
        case ColumnKind::Double:
        case ColumnKind::Decimal:
        case ColumnKind::Money:
            return DbValue::real(T::Double, sqlite3_column_double(m_statement, index));
        case ColumnKind::YesNo:
            return DbValue::logical(sqlite3_column_int64(m_statement, index) != 0);
        case ColumnKind::Text:
        case ColumnKind::Memo:
            return DbValue::text(text());
        case ColumnKind::DateTime:
            if (auto dt = DateTime::fromCanonical(text()))
                return DbValue::dateTime(*dt);
            return DbValue::text(text());
        }
    // An expression: the type follows the value.
    if (storage == SQLITE_INTEGER) {
        sqlite3_int64 v = sqlite3_column_int64(m_statement, index);
        if (v >= INT32_MIN && v <= INT32_MAX)
            return DbValue::integer(T::Int32, v);
        return DbValue::real(T::Double, static_cast<double>(v));
    }
    if (storage == SQLITE_FLOAT)
        return DbValue::real(T::Double, sqlite3_column_double(m_statement, index));
    return DbValue::text(text());
}
