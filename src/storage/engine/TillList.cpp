#include "storage/engine/TillList.h"

#include "storage/engine/Database.h"

namespace {

// One index step per till, never a walk through the orders or their sums: the
// smallest name after the one found, until there is none.
const char* const namedTills =
    "WITH RECURSIVE t(n) AS (SELECT min(收银台) FROM 存单 WHERE 收银台>'' UNION ALL "
    "SELECT (SELECT min(收银台) FROM 存单 WHERE 收银台>t.n) FROM t WHERE t.n IS NOT NULL) "
    "SELECT n FROM t WHERE n IS NOT NULL";

const char* const anyUnnamed =
    "SELECT (SELECT count(*) FROM (SELECT 1 FROM 存单 WHERE 收银台 IS NULL LIMIT 1) a)+"
    "(SELECT count(*) FROM (SELECT 1 FROM 存单 WHERE 收银台='' LIMIT 1) b)";

} // namespace

ReadResult<std::vector<std::string>> TillList::read(Database& db) {
    const ReadResult<Rows> unnamed = db.readOwn(anyUnnamed);
    if (!unnamed)
        return unnamed.readFailure();
    const ReadResult<Rows> named = db.readOwn(namedTills);
    if (!named)
        return named.readFailure();
    std::vector<std::string> tills;
    if (!unnamed->empty() && (*unnamed)[0].at(0).toInt() > 0)
        tills.emplace_back();
    for (const Rows::Row& row : *named)
        tills.push_back(row.at(0).toText());
    return tills;
}
