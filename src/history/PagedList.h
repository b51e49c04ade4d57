#pragma once
#include <string>
#include <vector>

class Database;

// One table shown a page at a time, oldest rows first. The condition and the
// page size outlive the window that shows them, so reopening it keeps the
// last filter.
class PagedList {
  public:
    enum class Kind { Orders, Customers };

    // What one call of showPage found; the window writes it into its controls.
    struct Page {
        long long count = 0;
        long long paidSum = 0;  // orders only
        long long totalSum = 0; // orders only
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

    std::string totalsStatement() const;
    std::string pageStatement(long long rows, long long windowEnd) const;
    static int pageCountFor(long long count, int pageSize);

    // The state of each paged window for the whole run of the program.
    static PagedList& orderHistory();
    static PagedList& customerFile();

  private:
    std::string table() const;
    std::string whereClause() const;
    void readTotals(Database& db, Page& result) const;
    void readRows(Database& db, long long rows, long long windowEnd, Page& result) const;
    std::vector<std::string> readRow(const Database& db, int handle) const;

    Kind m_kind;
    std::string m_conditionFragment;
    int m_pageSize = 200;
};
