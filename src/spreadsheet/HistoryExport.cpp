#include "spreadsheet/HistoryExport.h"

#include "history/PagedList.h"
#include "spreadsheet/TableFileFormat.h"
#include "storage/engine/Database.h"
#include "storage/schema/Schema.h"

#include <algorithm>

namespace {

// How many rows pass between two reports of progress.
constexpr long long progressStep = 4096;

const TableDef& tableOf(const char* name) {
    return *Schema::findTable(name);
}

// Every column of the table, in the schema's order.
std::string columnList(const TableDef& table) {
    std::string list;
    for (const ColumnDef& column : table.columns)
        list += (list.empty() ? "" : ",") + ("[" + column.name + "]");
    return list;
}

int widthOf(const ColumnDef& column) {
    switch (column.kind) {
    case ColumnKind::DateTime:
        return 20;
    case ColumnKind::Text:
        return std::clamp(column.length, 8, 30);
    case ColumnKind::Memo:
        return 30;
    default:
        return std::max(9, static_cast<int>(column.name.size() / 3 * 2 + 2));
    }
}

std::vector<TableWriter::Column> headingsOf(const TableDef& table) {
    std::vector<TableWriter::Column> headings;
    for (const ColumnDef& column : table.columns)
        headings.push_back({column.name, widthOf(column)});
    return headings;
}

// One cell a column: numbers as numbers, times as date-times, the rest as text.
void putRow(TableWriter& writer, Database& db, int handle, const TableDef& table) {
    for (int i = 0; i < static_cast<int>(table.columns.size()); ++i) {
        const DbValue value = db.ReadColByIndex(handle, i + 1);
        const ColumnKind kind = table.columns[i].kind;
        if (value.isEmpty())
            writer.blank();
        else if (kind == ColumnKind::DateTime)
            writer.dateTime(value.toDateTime());
        else if (kind == ColumnKind::Text || kind == ColumnKind::Memo)
            writer.text(value.toText());
        else
            writer.number(value.toNumber());
    }
    writer.endRow();
}

} // namespace

std::string HistoryExport::ordersStatement() const {
    return "select " + columnList(tableOf("存单")) + " from 存单" + m_orders.whereClause() +
           " order by [id]";
}

std::string HistoryExport::linesStatement() const {
    return "select " + columnList(tableOf("存单详单")) +
           " from 存单详单 where 存单ID in (select ID from 存单" + m_orders.whereClause() +
           ") order by 存单ID,[id]";
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
    const TableDef& orders = tableOf("存单");
    WriteResult result = copyRows(writer, "订单", headingsOf(orders), ordersStatement(), done,
                                  total, progress, [&](int h) { putRow(writer, m_db, h, orders); });
    if (result != WriteResult::Written)
        return result;
    const TableDef& lines = tableOf("存单详单");
    result = copyRows(writer, "明细", headingsOf(lines), linesStatement(), done, total, progress,
                      [&](int h) { putRow(writer, m_db, h, lines); });
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
