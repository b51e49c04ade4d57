#include "history/OrderRuns.h"

#include "storage/engine/Database.h"
#include "storage/schema/KeptSums.h"
#include "storage/values/Values.h"

#include <algorithm>
#include <cmath>

using Values::sqlQuote;

namespace {

long long whole(const DbValue& value) {
    return std::llround(value.toNumber());
}

std::string dayOf(const DateTime& midnight) {
    return midnight.canonical().substr(0, 10);
}

// The columns of the kept sums that count what the filter lists.
std::string prefixOf(HistoryFilter::Kept kept) {
    return kept == HistoryFilter::Kept::DineIn    ? "店内"
           : kept == HistoryFilter::Kept::TakeOut ? "外卖"
                                                  : "";
}

std::string tillCondition(const HistoryFilter& filter) {
    return filter.till ? HistoryFilter::tillCondition(*filter.till) : std::string();
}

} // namespace

std::string OrderRuns::runsStatement(const HistoryFilter& filter) {
    const std::string p = prefixOf(filter.kept);
    std::string where;
    if (filter.kept == HistoryFilter::Kept::Window)
        where += " AND 日期>=" + sqlQuote(dayOf(filter.after)) + " AND 日期<" +
                 sqlQuote(dayOf(filter.upTo));
    if (filter.till)
        where += " AND 收银台=" + sqlQuote(*filter.till);
    return "SELECT 段,sum(" + p + "单数),sum(" + p + "实付),sum(" + p + "合计) FROM " +
           KeptSums::runs + (where.empty() ? "" : " WHERE" + where.substr(4)) +
           " GROUP BY 段 HAVING sum(" + p + "单数)<>0 ORDER BY 段";
}

ReadResult<OrderRuns> OrderRuns::read(Database& db, const HistoryFilter& filter) {
    const ReadResult<Rows> rows = db.readOwn(runsStatement(filter));
    if (!rows)
        return rows.readFailure();
    std::vector<Run> runs;
    runs.reserve(rows->size());
    for (const Rows::Row& row : *rows)
        runs.push_back({whole(row.at(0)), whole(row.at(1)), Money::fromFen(whole(row.at(2))),
                        Money::fromFen(whole(row.at(3)))});
    OrderRuns found(filter, std::move(runs));
    if (filter.kept != HistoryFilter::Kept::Window)
        return found;
    // The days of the window, less the orders at the midnight it starts
    // after and with those at the midnight it ends on.
    if (const ReadResult<bool> first = found.correctAt(db, filter.after, -1); !first)
        return first.readFailure();
    if (const ReadResult<bool> last = found.correctAt(db, filter.upTo, 1); !last)
        return last.readFailure();
    return found;
}

ReadResult<bool> OrderRuns::correctAt(Database& db, const DateTime& midnight, int sign) {
    const ReadResult<Rows> rows =
        db.read("select ID,实付,合计 from 存单 where 时间=cdate(" +
                sqlQuote(midnight.canonical()) + ")" + tillCondition(m_filter));
    if (!rows)
        return rows.readFailure();
    for (const Rows::Row& row : *rows) {
        Run& run = runOf(static_cast<long long>(row.at(0).toNumber()));
        run.count += sign;
        run.paid += Money::fromYuan(row.at(1).toNumber()) * sign;
        run.total += Money::fromYuan(row.at(2).toNumber()) * sign;
    }
    return true;
}

OrderRuns::Run& OrderRuns::runOf(long long id) {
    const long long run = id / KeptSums::runLength;
    auto at = std::lower_bound(m_runs.begin(), m_runs.end(), run,
                               [](const Run& r, long long n) { return r.run < n; });
    if (at == m_runs.end() || at->run != run)
        at = m_runs.insert(at, Run{run, 0, {}, {}});
    return *at;
}

long long OrderRuns::count() const {
    long long sum = 0;
    for (const Run& run : m_runs)
        sum += run.count;
    return sum;
}

Money OrderRuns::paid() const {
    Money sum;
    for (const Run& run : m_runs)
        sum += run.paid;
    return sum;
}

Money OrderRuns::total() const {
    Money sum;
    for (const Run& run : m_runs)
        sum += run.total;
    return sum;
}

std::optional<OrderRuns::Position> OrderRuns::find(long long rank) const {
    long long before = 0;
    for (const Run& run : m_runs) {
        if (run.count > 0 && rank <= before + run.count)
            return Position{run.run * KeptSums::runLength, (run.run + 1) * KeptSums::runLength,
                            rank - before};
        before += run.count;
    }
    return std::nullopt;
}
