#include "reports/ReportTill.h"

#include "storage/engine/Database.h"
#include "storage/values/Values.h"

namespace {

// One index step per till, never a walk through the orders: the smallest
// name after the one found, until there is none.
const char* const namedTills =
    "WITH RECURSIVE t(n) AS (SELECT min(收银台) FROM 存单 WHERE 收银台>'' UNION ALL "
    "SELECT (SELECT min(收银台) FROM 存单 WHERE 收银台>t.n) FROM t WHERE t.n IS NOT NULL) "
    "SELECT n FROM t WHERE n IS NOT NULL";

const char* const anyUnrecorded =
    "SELECT (SELECT count(*) FROM (SELECT 1 FROM 存单 WHERE 收银台 IS NULL LIMIT 1) a)+"
    "(SELECT count(*) FROM (SELECT 1 FROM 存单 WHERE 收银台='' LIMIT 1) b)";

} // namespace

ReadResult<std::vector<ReportTill>> ReportTill::choices(Database& db) {
    const ReadResult<Rows> names = db.readOwn(namedTills);
    if (!names)
        return names.readFailure();
    const ReadResult<Rows> unnamed = db.readOwn(anyUnrecorded);
    if (!unnamed)
        return unnamed.readFailure();
    std::vector<ReportTill> found{all()};
    for (const Rows::Row& row : *names)
        found.push_back(named(row.at(0).toText()));
    if (!unnamed->empty() && (*unnamed)[0].at(0).toInt() > 0)
        found.push_back(none());
    return found;
}

std::string ReportTill::label() const {
    switch (m_kind) {
    case Kind::All:
        return allTills;
    case Kind::Unrecorded:
        return unrecorded;
    case Kind::Named:
        break;
    }
    return m_name;
}

std::string ReportTill::title(const std::string& report) const {
    return isAll() ? report : report + " 收银台：" + label();
}

std::string ReportTill::condition(const std::string& column) const {
    switch (m_kind) {
    case Kind::All:
        return {};
    case Kind::Unrecorded:
        return "(" + column + " IS NULL OR " + column + "='')";
    case Kind::Named:
        break;
    }
    return column + "=" + Values::sqlQuote(m_name);
}
