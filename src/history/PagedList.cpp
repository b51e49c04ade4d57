#include "history/PagedList.h"

#include "storage/engine/Database.h"
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

int PagedList::pageCountFor(long long count, int pageSize) {
    if (pageSize <= 0)
        return 0;
    const double quotient = static_cast<double>(count) / pageSize;
    const double whole = std::trunc(quotient);
    return static_cast<int>(whole) + (quotient - whole > 0.0000001 ? 1 : 0);
}

void PagedList::readTotals(Database& db, Page& result) const {
    const int handle = db.OpenTable(totalsStatement());
    result.count = Values::truncateToInt(db.ReadColByIndex(handle, 1).toNumber());
    if (m_kind == Kind::Orders) {
        result.paidSum = Money::fromYuan(db.ReadColByIndex(handle, 2).toNumber());
        result.totalSum = Money::fromYuan(db.ReadColByIndex(handle, 3).toNumber());
    }
    db.CloseTable(handle);
}

PagedList::Page PagedList::showPage(Database& db, int& page) const {
    Page result;
    result.browsingAll = m_kind == Kind::Orders && m_conditionFragment.empty();
    readTotals(db, result);
    result.listCleared = result.count == 0;
    result.pageCount = pageCountFor(result.count, m_pageSize);

    int requested = page;
    if (requested == 0 || requested < -1)
        return result;
    if (requested == -1 || requested > result.pageCount)
        requested = result.pageCount;
    page = requested;

    result.listCleared = true;
    result.pageShown = true;
    result.page = requested;
    const long long windowEnd = static_cast<long long>(requested) * m_pageSize;
    const long long rows =
        result.count < windowEnd ? m_pageSize - (windowEnd - result.count) : m_pageSize;
    if (windowEnd > 0)
        readRows(db, readPageStatement(db, result.count, rows, windowEnd), result);
    return result;
}

std::string PagedList::readPageStatement(Database& db, long long count, long long rows,
                                         long long windowEnd) const {
    if (windowEnd <= m_directWindowLimit)
        return pageStatement(rows, windowEnd);
    return keyedPageStatement(rows, windowEndId(db, count, windowEnd));
}

namespace {

long long readId(Database& db, const std::string& statement) {
    const int handle = db.OpenTable(statement);
    const long long id = static_cast<long long>(db.ReadColByIndex(handle, 1).toNumber());
    db.CloseTable(handle);
    return id;
}

} // namespace

long long PagedList::windowEndId(Database& db, long long count, long long windowEnd) const {
    const long long last = std::min(windowEnd, count);
    const long long lowest = readId(db, boundStatement(false));
    const long long highest = readId(db, boundStatement(true));
    // Matching IDs without gaps, as after a run of orders with none deleted:
    // the rank gives the ID at once.
    if (highest - lowest + 1 == count)
        return lowest + last - 1;
    // Otherwise step through IDs only, from the nearer end.
    if (last <= count / 2)
        return readId(db, rankedIdStatement(last, false));
    return readId(db, rankedIdStatement(count - last + 1, true));
}

void PagedList::readRows(Database& db, const std::string& statement, Page& result) const {
    const int handle = db.OpenTable(statement);
    // The statement yields the page newest first; each row goes to the top.
    std::vector<std::vector<std::string>> newestFirst;
    while (handle != 0 && !db.IsEOF(handle)) {
        newestFirst.push_back(readRow(db, handle));
        db.MoveNext(handle);
    }
    db.CloseTable(handle);
    result.rows.assign(newestFirst.rbegin(), newestFirst.rend());
}

std::vector<std::string> PagedList::readRow(const Database& db, int handle) const {
    auto text = [&](const char* column) { return db.ReadColByName(handle, column).toText(); };
    if (m_kind == Kind::Customers)
        return {text("ID"), text("电话"), text("姓名"), text("地址")};
    const DbValue time = db.ReadColByName(handle, "时间");
    if (m_kind == Kind::ChangeRecords) {
        const std::string when =
            time.isEmpty() ? std::string() : Values::dateTimeToText(time.toDateTime());
        return {text("ID"), when, text("操作"), text("存单ID"), text("编号")};
    }
    const std::string date = time.isEmpty() ? std::string() : Values::dateToText(time.toDateTime());
    return {text("ID"),   text("编号"), date,         text("合计"), text("实付"),
            text("桌号"), text("电话"), text("姓名"), text("地址")};
}
