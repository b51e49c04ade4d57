#pragma once
#include "history/HistoryFilter.h"
#include "history/OrderRuns.h"
#include "storage/engine/ReadResult.h"
#include "storage/engine/Rows.h"
#include "storage/values/Money.h"

#include <string>
#include <vector>

class Database;

// One table shown a page at a time, oldest rows first. The condition and the
// page size outlive the window that shows them, so reopening it keeps the
// last filter.
class PagedList {
  public:
    // table() reads a table in this order: a new kind goes last, with its table.
    enum class Kind { Orders, Customers, ChangeRecords };

    // What one call of showPage found; the window writes it into its controls.
    struct Page {
        long long count = 0;
        Money paidSum;  // orders only
        Money totalSum; // orders only
        bool browsingAll = false;
        bool listCleared = false; // the list rows are to be removed
        bool pageShown = false;   // labels and list rows below are to be written
        int pageCount = 0;
        int page = 0;
        std::vector<std::vector<std::string>> rows; // in display order, top to bottom
    };

    explicit PagedList(Kind kind) : m_kind(kind) {}

    Kind kind() const { return m_kind; }
    const std::string& conditionFragment() const { return m_conditionFragment; }
    // A condition of the caller's own: its totals are added up from the rows
    // unless it is none at all.
    void setConditionFragment(std::string fragment);
    // An order filter, whose totals come from the sums kept per day where it allows.
    void setOrderFilter(const HistoryFilter& filter);
    int pageSize() const { return m_pageSize; }
    void setPageSize(int size) { m_pageSize = size; }

    // Loads the requested page (-1 for the last) and writes the page actually
    // shown back into it; 0 or below -1 only refreshes the totals. A read
    // that fails leaves `page` as it was and is never an empty page.
    ReadResult<Page> showPage(Database& db, int& page) const;
    // Why the list could not be read, for the cashier.
    std::string failureMessage(const ReadFailure& failure) const;

    // Windows of up to this many rows are read with the nested statement;
    // past it, stepping through every row before the page would make a page
    // change too slow, so the page is found by its last ID instead: from the
    // counts kept per run of IDs where the filter allows.
    void setDirectWindowLimit(long long rows) { m_directWindowLimit = rows; }

    // " where" and the condition, or nothing when every row matches.
    std::string whereClause() const;
    std::string totalsStatement() const;
    std::string pageStatement(long long rows, long long windowEnd) const;
    // The lowest or highest matching ID.
    std::string boundStatement(bool highest) const;
    // The ID of the row ranked `rank` from the start, or from the end.
    std::string rankedIdStatement(long long rank, bool fromEnd) const;
    // The `rows` matching rows up to and including `lastId`, newest first.
    std::string keyedPageStatement(long long rows, long long lastId) const;
    // `rows` matching rows from `firstId` on, before `endId`, oldest first,
    // after the first `skipped` of them.
    std::string runPageStatement(long long rows, long long skipped, long long firstId,
                                 long long endId) const;
    static int pageCountFor(long long count, int pageSize);


    // The state of each paged window for the whole run of the program.
    static PagedList& orderHistory();
    static PagedList& customerFile();

  private:
    std::string table() const;
    ReadResult<Rows> readTotals(Database& db, Page& result) const;
    // A page's place: how many rows match, how many up to the end of the
    // page, how many it shows, and whether the filter has kept counts per run.
    struct Window {
        long long count = 0;
        long long end = 0;
        long long rows = 0; // of the page
        bool kept = false;
        const OrderRuns* runs = nullptr; // read already, or to be read
    };
    ReadResult<bool> readKeptTotals(Database& db, Page& result,
                                    std::optional<OrderRuns>& runs) const;
    ReadResult<bool> readPageRows(Database& db, const Window& window, Page& result) const;
    ReadResult<bool> readKeptPage(Database& db, const Window& window, Page& result) const;
    ReadResult<std::string> readPageStatement(Database& db, const Window& window) const;
    ReadResult<long long> windowEndId(Database& db, const Window& window) const;
    void takeRows(const Rows& rows, Page& result) const;
    std::vector<std::string> readRow(const Rows::Row& row) const;

    Kind m_kind;
    std::string m_conditionFragment;
    HistoryFilter m_kept = HistoryFilter::all(); // what the kept sums can total; fragment unused
    int m_pageSize = 200;
    long long m_directWindowLimit = 2000;
};
