#include "spreadsheet/HistoryExport.h"

#include "history/PagedList.h"
#include "spreadsheet/TableFileFormat.h"
#include "storage/engine/Database.h"

namespace {

// How many rows pass between two reports of progress.
constexpr long long progressStep = 4096;

const std::vector<TableWriter::Column> orderColumns = {{"ID", 9},    {"编号", 7},  {"时间", 20},
                                                       {"合计", 9},  {"实付", 9},  {"桌号", 10},
                                                       {"电话", 14}, {"姓名", 10}, {"地址", 30}};
const std::vector<TableWriter::Column> lineColumns = {{"订单ID", 9}, {"销售时间", 20}, {"菜名", 20},
                                                      {"数量", 7},   {"单位", 7},      {"小计", 9}};

void putNumber(TableWriter& writer, const DbValue& value) {
    if (value.isEmpty())
        writer.blank();
    else
        writer.number(value.toNumber());
}

void putDateTime(TableWriter& writer, const DbValue& value) {
    if (value.isEmpty())
        writer.blank();
    else
        writer.dateTime(value.toDateTime());
}

} // namespace

std::string HistoryExport::ordersStatement() const {
    return "select ID,编号,时间,合计,实付,桌号,电话,姓名,地址 from 存单" + m_orders.whereClause() +
           " order by [id]";
}

std::string HistoryExport::linesStatement() const {
    return "select 存单ID,销售时间,菜名,数量,单位,小计 from 存单详单 where 存单ID in (select ID "
           "from 存单" +
           m_orders.whereClause() + ") order by 存单ID,[id]";
}

long long HistoryExport::count(const std::string& statement) {
    const int handle = m_db.OpenTable("select count(*) from (" + statement + ")");
    const long long rows = static_cast<long long>(m_db.ReadColByIndex(handle, 1).toNumber());
    m_db.CloseTable(handle);
    return rows;
}

template <typename WriteRow>
WriteResult HistoryExport::copyRows(TableWriter& writer, const std::string& table,
                                    const std::vector<TableWriter::Column>& columns,
                                    const std::string& statement, long long& done, long long total,
                                    const Progress& progress, WriteRow writeRow) {
    writer.startTable(table, columns);
    const int handle = m_db.OpenTable(statement);
    if (handle == 0 || !writer.ok())
        return WriteResult::Failed;
    WriteResult result = WriteResult::Written;
    while (!m_db.IsEOF(handle)) {
        writeRow(handle);
        m_db.MoveNext(handle);
        if (++done % progressStep == 0 && progress && !progress(done, total)) {
            result = WriteResult::Cancelled;
            break;
        }
    }
    // Rows that stopped on a failed read are not the whole history.
    if (result == WriteResult::Written && m_db.cursorFailed(handle))
        result = WriteResult::Failed;
    m_db.CloseTable(handle);
    return result;
}

WriteResult HistoryExport::write(TableWriter& writer, const Progress& progress) {
    const long long rows = count(ordersStatement()) + count(linesStatement());
    // The last tenth of the way is the packing of the file.
    const long long total = rows + rows / 9 + 1;
    long long done = 0;
    if (progress && !progress(0, total))
        return WriteResult::Cancelled;
    WriteResult result = copyRows(writer, "订单", orderColumns, ordersStatement(), done, total,
                                  progress, [&](int h) {
                                      for (int column = 1; column <= 2; ++column)
                                          putNumber(writer, m_db.ReadColByIndex(h, column));
                                      putDateTime(writer, m_db.ReadColByIndex(h, 3));
                                      for (int column = 4; column <= 5; ++column)
                                          putNumber(writer, m_db.ReadColByIndex(h, column));
                                      for (int column = 6; column <= 9; ++column)
                                          writer.text(m_db.ReadColByIndex(h, column).toText());
                                      writer.endRow();
                                  });
    if (result != WriteResult::Written)
        return result;
    result =
        copyRows(writer, "明细", lineColumns, linesStatement(), done, total, progress, [&](int h) {
            putNumber(writer, m_db.ReadColByIndex(h, 1));
            putDateTime(writer, m_db.ReadColByIndex(h, 2));
            writer.text(m_db.ReadColByIndex(h, 3).toText());
            putNumber(writer, m_db.ReadColByIndex(h, 4));
            writer.text(m_db.ReadColByIndex(h, 5).toText());
            putNumber(writer, m_db.ReadColByIndex(h, 6));
            writer.endRow();
        });
    if (result != WriteResult::Written)
        return result;
    result = writer.finish([&] { return !progress || progress(rows, total); });
    if (result == WriteResult::Written && progress)
        progress(total, total);
    return result;
}

WriteResult HistoryExport::toFile(const std::string& path, const Progress& progress) {
    return write(*tableWriterFor(path), progress);
}
