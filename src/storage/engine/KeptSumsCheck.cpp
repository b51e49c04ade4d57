#include "storage/engine/KeptSumsCheck.h"
#include "storage/engine/Database.h"
#include "storage/engine/DbTransaction.h"
#include "storage/engine/LongWork.h"
#include "storage/schema/KeptSums.h"

ReadResult<long long> KeptSumsCheck::differences() {
    const LongWork longWork(m_db);
    const ReadResult<Rows> rows = m_db.readOwn(KeptSums::differencesSql());
    if (!rows)
        return rows.readFailure();
    long long found = 0;
    for (const Rows::Row& row : *rows)
        found += static_cast<long long>(row.at(1).toNumber());
    return found;
}

bool KeptSumsCheck::rebuild() {
    const LongWork longWork(m_db);
    DbTransaction transaction(m_db);
    if (!transaction.started())
        return false;
    for (const std::string& statement : KeptSums::rebuildStatements())
        if (!m_db.executeOwn(statement))
            return false;
    return transaction.commit();
}

bool KeptSumsCheck::checkAndRepair(std::string& said) {
    const ReadResult<long long> found = differences();
    if (!found) {
        said = found.message("核对汇总数据", "汇总数据没有改动。");
        return false;
    }
    if (*found == 0) {
        said = "汇总数据与订单一致。";
        return true;
    }
    if (!rebuild()) {
        said = "汇总数据有 " + std::to_string(*found) + " 处与订单不符，重新汇总没有完成：" +
               m_db.lastError() + "。汇总数据没有改动。";
        return false;
    }
    said = "汇总数据有 " + std::to_string(*found) + " 处与订单不符，已按订单重新汇总。";
    return true;
}
