#include "history/PagedList.h"

#include "storage/engine/Database.h"
#include "storage/engine/KeptSumsReader.h"
#include "storage/values/Values.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// Drops the leading " and" of a condition fragment.
std::string withoutLeadingAnd(const std::string& fragment) {
    return fragment.size() >= 4 ? fragment.substr(4) : std::string();
}

// The table each kind of list pages through, in the order of the enumeration.
constexpr const char* tables[] = {"存单", "客户", "操作记录"};
static_assert(std::size(tables) == std::size_t(PagedList::Kind::ChangeRecords) + 1);

} // namespace

PagedList& PagedList::orderHistory() {
    static PagedList list(Kind::Orders);
    return list;
}

PagedList& PagedList::customerFile() {
    static PagedList list(Kind::Customers);
    return list;
}

void PagedList::setConditionFragment(std::string fragment) {
    m_kept.kept = fragment.empty() ? HistoryFilter::Kept::All : HistoryFilter::Kept::None;
    m_conditionFragment = std::move(fragment);
}

void PagedList::setOrderFilter(const HistoryFilter& filter) {
    m_conditionFragment = filter.fragment;
    m_kept = filter;
}

std::string PagedList::table() const {
    return tables[std::size_t(m_kind)];
}

std::string PagedList::whereClause() const {
    return m_conditionFragment.empty() ? std::string()
                                       : " where" + withoutLeadingAnd(m_conditionFragment);
}

std::string PagedList::totalsStatement() const {
    const std::string head = m_kind == Kind::Orders
                                 ? "select count(*),sum(实付),sum(合计) from 存单"
                                 : "select count(*) from " + table();
    return head + whereClause();
}

std::string PagedList::pageStatement(long long rows, long long windowEnd) const {
    const std::string inner =
        m_conditionFragment.empty()
            ? "select top " + std::to_string(windowEnd) + " * from " + table() + " order by [id]"
            : "select top " + std::to_string(windowEnd) + " * from " + table() + " where" +
                  withoutLeadingAnd(m_conditionFragment) + " order by [id]";
    return "select top " + std::to_string(rows) + " * from (" + inner + ")order by [id] desc";
}

std::string PagedList::boundStatement(bool highest) const {
    return std::string(highest ? "select max([id]) from " : "select min([id]) from ") + table() +
           whereClause();
}

std::string PagedList::rankedIdStatement(long long rank, bool fromEnd) const {
    return std::string(fromEnd ? "select min([id]) from (select top "
                               : "select max([id]) from (select top ") +
           std::to_string(rank) + " [id] from " + table() + whereClause() + " order by [id]" +
           (fromEnd ? " desc)" : ")");
}

std::string PagedList::keyedPageStatement(long long rows, long long lastId) const {
    // The fragment may hold an unbracketed "or", so it is kept apart from the key.
    const std::string condition = m_conditionFragment.empty()
                                      ? std::string()
                                      : " and (" + withoutLeadingAnd(m_conditionFragment) + ")";
    return "select top " + std::to_string(rows) + " * from " + table() +
           " where [id] <= " + std::to_string(lastId) + condition + " order by [id] desc";
}

std::string PagedList::runPageStatement(long long rows, long long skipped, long long firstId,
                                        long long endId) const {
    // Both bounds, so that the engine reads by ID and no index of the filter;
    // the engine skips the rows before the page without handing them over.
    const std::string condition = m_conditionFragment.empty()
                                      ? std::string()
                                      : " and (" + withoutLeadingAnd(m_conditionFragment) + ")";
    return "select * from " + table() + " where [id] >= " + std::to_string(firstId) +
           " and [id] < " + std::to_string(endId) + condition + " order by [id] limit " +
           std::to_string(rows) + " offset " + std::to_string(skipped);
}

int PagedList::pageCountFor(long long count, int pageSize) {
    if (pageSize <= 0)
        return 0;
    const double quotient = static_cast<double>(count) / pageSize;
    const double whole = std::trunc(quotient);
    return static_cast<int>(whole) + (quotient - whole > 0.0000001 ? 1 : 0);
}

namespace {

std::string dayOf(const DateTime& midnight) {
    return midnight.canonical().substr(0, 10);
}

ReadResult<KeptSumsReader::Total> ordersAt(Database& db, const DateTime& midnight) {
    const ReadResult<Rows> rows =
        db.read("select count(*),sum(实付),sum(合计) from 存单 where 时间=cdate(" +
                Values::sqlQuote(midnight.canonical()) + ")");
    if (!rows)
        return rows.readFailure();
    if (rows->empty())
        return KeptSumsReader::Total{};
    const Rows::Row row = (*rows)[0];
    return KeptSumsReader::Total{row.at(0).toInt(), Money::fromYuan(row.at(1).toNumber()),
                                 Money::fromYuan(row.at(2).toNumber())};
}

// The days of the window, less the orders at the midnight it starts after
// and with those at the midnight it ends on.
ReadResult<KeptSumsReader::Total> windowTotal(Database& db, const HistoryFilter& filter) {
    auto days = KeptSumsReader(db).orders(dayOf(filter.after), dayOf(filter.upTo));
    const auto first = days ? ordersAt(db, filter.after) : days;
    const auto last = first ? ordersAt(db, filter.upTo) : first;
    if (!last)
        return last.readFailure();
    return KeptSumsReader::Total{days->count - first->count + last->count,
                                 days->paid - first->paid + last->paid,
                                 days->total - first->total + last->total};
}

// The kept sums of a filter without a till: those per day.
ReadResult<KeptSumsReader::Total> dayTotal(Database& db, const HistoryFilter& filter) {
    using Kept = HistoryFilter::Kept;
    if (filter.kept == Kept::Window)
        return windowTotal(db, filter);
    return KeptSumsReader(db).orders(filter.kept == Kept::All      ? KeptSumsReader::Orders::All
                                     : filter.kept == Kept::DineIn ? KeptSumsReader::Orders::DineIn
                                                                   : KeptSumsReader::Orders::TakeOut);
}

} // namespace

// False when the filter is none the kept sums can total. Those of a till
// come from the counts per run, which are kept for paging too.
ReadResult<bool> PagedList::readKeptTotals(Database& db, Page& result,
                                           std::optional<OrderRuns>& runs) const {
    if (m_kind != Kind::Orders || m_kept.kept == HistoryFilter::Kept::None)
        return false;
    if (m_kept.till) {
        ReadResult<OrderRuns> read = OrderRuns::read(db, m_kept);
        if (!read)
            return read.readFailure();
        result.count = read->count();
        result.paidSum = read->paid();
        result.totalSum = read->total();
        runs = std::move(*read);
        return true;
    }
    const ReadResult<KeptSumsReader::Total> total = dayTotal(db, m_kept);
    if (!total)
        return total.readFailure();
    result.count = total->count;
    result.paidSum = total->paid;
    result.totalSum = total->total;
    return true;
}

ReadResult<Rows> PagedList::readTotals(Database& db, Page& result) const {
    ReadResult<Rows> totals = db.read(totalsStatement());
    if (!totals || totals->empty())
        return totals;
    const Rows::Row row = (*totals)[0];
    result.count = Values::truncateToInt(row.at(0).toNumber());
    if (m_kind == Kind::Orders) {
        result.paidSum = Money::fromYuan(row.at(1).toNumber());
        result.totalSum = Money::fromYuan(row.at(2).toNumber());
    }
    return totals;
}

ReadResult<PagedList::Page> PagedList::showPage(Database& db, int& page) const {
    Page result;
    result.browsingAll = m_kind == Kind::Orders && m_conditionFragment.empty();
    std::optional<OrderRuns> runs;
    const ReadResult<bool> kept = readKeptTotals(db, result, runs);
    if (!kept)
        return kept.readFailure();
    if (!*kept)
        if (const ReadResult<Rows> totals = readTotals(db, result); !totals)
            return totals.readFailure();
    result.listCleared = result.count == 0;
    result.pageCount = pageCountFor(result.count, m_pageSize);

    int requested = page;
    if (requested == 0 || requested < -1)
        return result;
    if (requested == -1 || requested > result.pageCount)
        requested = result.pageCount;

    result.listCleared = true;
    result.pageShown = true;
    result.page = requested;
    const long long windowEnd = static_cast<long long>(requested) * m_pageSize;
    const long long rows =
        result.count < windowEnd ? m_pageSize - (windowEnd - result.count) : m_pageSize;
    if (windowEnd > 0) {
        const Window window{result.count, windowEnd, rows, *kept, runs ? &*runs : nullptr};
        if (const ReadResult<bool> read = readPageRows(db, window, result); !read)
            return read.readFailure();
    }
    page = requested;
    return result;
}

std::string PagedList::failureMessage(const ReadFailure& failure) const {
    constexpr const char* captions[] = {"存单数据", "客户数据", "操作记录"};
    static_assert(std::size(captions) == std::size(tables));
    return StorageFailures::failed(std::string("读取") + captions[std::size_t(m_kind)],
                                   failure.cause, "列表没有显示，数据没有改动。");
}

ReadResult<bool> PagedList::readPageRows(Database& db, const Window& window, Page& result) const {
    if (window.kept && window.end > m_directWindowLimit) {
        const ReadResult<bool> kept = readKeptPage(db, window, result);
        if (!kept || *kept)
            return kept;
    }
    const ReadResult<std::string> statement = readPageStatement(db, window);
    if (!statement)
        return statement.readFailure();
    const ReadResult<Rows> read = db.read(*statement);
    if (!read)
        return read.readFailure();
    takeRows(*read, result);
    return true;
}

// The page read from the start of the run its first row lies in, the rows
// before it skipped. False, with nothing taken, when the kept counts
// disagree with the rows: those are then stepped through.
ReadResult<bool> PagedList::readKeptPage(Database& db, const Window& window, Page& result) const {
    std::optional<OrderRuns> read;
    if (!window.runs) {
        ReadResult<OrderRuns> runs = OrderRuns::read(db, m_kept);
        if (!runs)
            return runs.readFailure();
        read = std::move(*runs);
    }
    const OrderRuns& runs = window.runs ? *window.runs : *read;
    const long long last = std::min(window.end, window.count);
    const auto first = runs.find(last - window.rows + 1);
    const auto end = runs.find(last);
    if (!first || !end)
        return false;
    const ReadResult<Rows> page =
        db.read(runPageStatement(window.rows, first->rank - 1, first->first, end->end));
    if (!page)
        return page.readFailure();
    if (static_cast<long long>(page->size()) != window.rows)
        return false;
    result.rows.reserve(page->size());
    for (const Rows::Row& row : *page)
        result.rows.push_back(readRow(row));
    return true;
}

ReadResult<std::string> PagedList::readPageStatement(Database& db, const Window& window) const {
    if (window.end <= m_directWindowLimit)
        return pageStatement(window.rows, window.end);
    const ReadResult<long long> lastId = windowEndId(db, window);
    if (!lastId)
        return lastId.readFailure();
    return keyedPageStatement(window.rows, *lastId);
}

namespace {

ReadResult<long long> readId(Database& db, const std::string& statement) {
    const ReadResult<DbValue> id = db.readValue(statement);
    if (!id)
        return id.readFailure();
    return static_cast<long long>(id->toNumber());
}

} // namespace

ReadResult<long long> PagedList::windowEndId(Database& db, const Window& window) const {
    const long long count = window.count;
    const long long last = std::min(window.end, count);
    const ReadResult<long long> lowest = readId(db, boundStatement(false));
    if (!lowest)
        return lowest;
    const ReadResult<long long> highest = readId(db, boundStatement(true));
    if (!highest)
        return highest;
    // Matching IDs without gaps, as after a run of orders with none deleted:
    // the rank gives the ID at once.
    if (*highest - *lowest + 1 == count)
        return *lowest + last - 1;
    // Otherwise step through IDs only, from the nearer end.
    if (last <= count / 2)
        return readId(db, rankedIdStatement(last, false));
    return readId(db, rankedIdStatement(count - last + 1, true));
}

void PagedList::takeRows(const Rows& rows, Page& result) const {
    // The statement yields the page newest first; each row goes to the top.
    result.rows.reserve(rows.size());
    for (std::size_t i = rows.size(); i-- > 0;)
        result.rows.push_back(readRow(rows[i]));
}

std::vector<std::string> PagedList::readRow(const Rows::Row& row) const {
    auto text = [&](const char* column) { return row[column].toText(); };
    if (m_kind == Kind::Customers)
        return {text("ID"), text("电话"), text("姓名"), text("地址")};
    const DbValue time = row["时间"];
    if (m_kind == Kind::ChangeRecords) {
        const std::string when =
            time.isEmpty() ? std::string() : Values::dateTimeToText(time.toDateTime());
        return {text("ID"), when, text("操作"), text("存单ID"), text("编号")};
    }
    const std::string date = time.isEmpty() ? std::string() : Values::dateToText(time.toDateTime());
    return {text("ID"),   text("编号"), date,         text("合计"), text("实付"),
            text("桌号"), text("电话"), text("姓名"), text("地址"), text("收银台")};
}
