#include "storage/engine/ServerRows.h"
#include "storage/schema/Schema.h"
#include <cstdint>
#include <cstdlib>
#include <libpq-fe.h>

namespace {

// Type oids of the values expressions give.
enum : Oid { boolOid = 16, int8Oid = 20, int2Oid = 21, int4Oid = 23 };
enum : Oid { float4Oid = 700, float8Oid = 701, numericOid = 1700 };

DbValue wholeNumber(long long v) {
    if (v >= INT32_MIN && v <= INT32_MAX)
        return DbValue::integer(DbValue::Type::Int32, v);
    return DbValue::real(DbValue::Type::Double, static_cast<double>(v));
}

} // namespace

ServerRows::ServerRows(PGresult* result, const ColumnKinds& kinds)
    : m_result(result), m_rows(PQntuples(result)) {
    for (int i = 0; i < PQnfields(result); ++i) {
        const auto found = kinds.find({PQftable(result, i), PQftablecol(result, i)});
        m_kinds.push_back(found == kinds.end() ? -1 : found->second);
    }
}

ServerRows::~ServerRows() {
    PQclear(m_result);
}

void ServerRows::moveNext() {
    if (m_row < m_rows)
        ++m_row;
}

int ServerRows::columnCount() const {
    return PQnfields(m_result);
}

int ServerRows::columnIndex(const std::string& name) const {
    for (int i = 0; i < columnCount(); ++i)
        if (Schema::equalsIgnoringCase(PQfname(m_result, i), name))
            return i;
    return -1;
}

DbValue ServerRows::value(int index) const {
    using T = DbValue::Type;
    if (isEOF() || index < 0 || index >= columnCount() || PQgetisnull(m_result, m_row, index))
        return {};
    const char* text = PQgetvalue(m_result, m_row, index);
    if (m_kinds[index] < 0)
        return expressionValue(index, text);
    switch (static_cast<ColumnKind>(m_kinds[index])) {
    case ColumnKind::AutoNumber:
    case ColumnKind::Int32:
        return DbValue::integer(T::Int32, std::atoll(text));
    case ColumnKind::Int16:
        return DbValue::integer(T::Int16, std::atoll(text));
    case ColumnKind::Single:
        return DbValue::real(T::Single, std::strtod(text, nullptr));
    case ColumnKind::Double:
    case ColumnKind::Decimal:
    case ColumnKind::Money:
        return DbValue::real(T::Double, std::strtod(text, nullptr));
    case ColumnKind::YesNo:
        return DbValue::logical(std::atoll(text) != 0);
    case ColumnKind::Text:
    case ColumnKind::Memo:
        break;
    case ColumnKind::DateTime:
        if (auto dt = DateTime::fromCanonical(text))
            return DbValue::dateTime(*dt);
        break;
    }
    return DbValue::text(text);
}

// As SQLite gives them: whole numbers as integers, truth as 1 or 0.
DbValue ServerRows::expressionValue(int index, const char* text) const {
    switch (PQftype(m_result, index)) {
    case boolOid:
        return wholeNumber(text[0] == 't' ? 1 : 0);
    case int2Oid:
    case int4Oid:
    case int8Oid:
        return wholeNumber(std::atoll(text));
    case float4Oid:
    case float8Oid:
        return DbValue::real(DbValue::Type::Double, std::strtod(text, nullptr));
    case numericOid: {
        const double v = std::strtod(text, nullptr);
        const bool whole = std::string(text).find('.') == std::string::npos;
        return whole && v >= INT32_MIN && v <= INT32_MAX ? wholeNumber(std::atoll(text))
                                                         : DbValue::real(DbValue::Type::Double, v);
    }
    default:
        return DbValue::text(text);
    }
}
