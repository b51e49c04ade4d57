#pragma once
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
    void setConditionFragment(std::string fragment) { m_conditionFragment = std::move(fragment); }
    int pageSize() const { return m_pageSize; }
    void setPageSize(int size) { m_pageSize = size; }

    // Loads the requested page (-1 for the last) and writes the page actually
    // shown back into it; 0 or below -1 only refreshes the totals.
    Page showPage(Database& db, int& page) const;

    // Windows of up to this many rows are read with the nested statement;
    // past it, stepping through every row before the page would make a page
    // change too slow, so the page is found by its last ID instead.
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
    static int pageCountFor(long long count, int pageSize);


    // The state of each paged window for the whole run of the program.
    static PagedList& orderHistory();
    static PagedList& customerFile();

  private:
    std::string table() const;
    void readTotals(Database& db, Page& result) const;
    std::string readPageStatement(Database& db, long long count, long long rows,
                                  long long windowEnd) const;
    long long windowEndId(Database& db, long long count, long long windowEnd) const;
    void readRows(Database& db, const std::string& statement, Page& result) const;
    std::vector<std::string> readRow(const Database& db, int handle) const;

    Kind m_kind;
    std::string m_conditionFragment;
    int m_pageSize = 200;
    long long m_directWindowLimit = 2000;
};
