#pragma once
#include "spreadsheet/Progress.h"
#include "spreadsheet/TableWriter.h"

class Database;
class PagedList;

// Every order the history's filter matches, on all its pages, as the table
// "订单" and their dish lines as the table "明细", linked by 存单ID: every
// column of 存单 and 存单详单 in the schema's order, so the file holds the
// books whole.
class HistoryExport {
  public:
    HistoryExport(Database& db, const PagedList& orders) : m_db(db), m_orders(orders) {}

    // .xlsx or .csv by the path's extension.
    WriteResult toFile(const std::string& path, const Progress& progress);
    WriteResult write(TableWriter& writer, const Progress& progress);

    std::string ordersStatement() const;
    std::string linesStatement() const;

  private:
    long long count(const std::string& statement);
    // Copies every row of the statement into a new table.
    template <typename WriteRow>
    WriteResult copyRows(TableWriter& writer, const std::string& table,
                         const std::vector<TableWriter::Column>& columns,
                         const std::string& statement, long long& done, long long total,
                         const Progress& progress, WriteRow writeRow);

    Database& m_db;
    const PagedList& m_orders;
};
