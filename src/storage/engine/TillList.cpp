#include "storage/engine/TillList.h"

#include "storage/engine/Database.h"
#include "storage/schema/KeptSums.h"

std::string TillList::statement() {
    return std::string("SELECT 收银台 FROM ") + KeptSums::runs +
           " GROUP BY 收银台 HAVING sum(单数)<>0 ORDER BY 收银台";
}

ReadResult<std::vector<std::string>> TillList::read(Database& db) {
    const ReadResult<Rows> rows = db.readOwn(statement());
    if (!rows)
        return rows.readFailure();
    std::vector<std::string> tills;
    tills.reserve(rows->size());
    for (const Rows::Row& row : *rows)
        tills.push_back(row.at(0).toText());
    return tills;
}
