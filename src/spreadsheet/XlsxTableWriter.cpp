#include "spreadsheet/XlsxTableWriter.h"

#include <chrono>
#include <future>

XlsxTableWriter::XlsxTableWriter(const std::string& path, int rowsPerSheet)
    : m_file(path), m_book(m_file.path(), true), m_rowsPerSheet(rowsPerSheet) {
    m_failed = !m_file.ok() || !m_book.ok();
}

void XlsxTableWriter::startTable(const std::string& name, const std::vector<Column>& columns) {
    m_name = name;
    m_columns = columns;
    m_part = 0;
    startSheet();
}

void XlsxTableWriter::startSheet() {
    if (m_failed)
        return;
    ++m_part;
    m_sheet = m_book.addSheet(m_part == 1 ? m_name : m_name + std::to_string(m_part));
    m_row = 0;
    m_column = 0;
    if (!m_sheet) {
        m_failed = true;
        return;
    }
    for (std::size_t c = 0; c < m_columns.size(); ++c)
        check(worksheet_set_column(m_sheet, c, c, m_columns[c].width, nullptr));
    if (m_columns.empty())
        return;
    // Heading rows stay in view while the owner scrolls.
    worksheet_freeze_panes(m_sheet, 1, 0);
    for (std::size_t c = 0; c < m_columns.size(); ++c)
        check(worksheet_write_string(m_sheet, 0, c, m_columns[c].heading.c_str(),
                                     m_book.boldFormat()));
    m_row = 1;
}

lxw_col_t XlsxTableWriter::nextCell() {
    if (m_column == 0 && m_row >= static_cast<lxw_row_t>(m_rowsPerSheet))
        startSheet();
    return m_column++;
}

void XlsxTableWriter::check(lxw_error error) {
    if (error != LXW_NO_ERROR)
        m_failed = true;
}

void XlsxTableWriter::text(const std::string& value) {
    if (m_failed)
        return;
    const lxw_col_t column = nextCell();
    if (!value.empty())
        check(worksheet_write_string(m_sheet, m_row, column, value.c_str(), nullptr));
}

void XlsxTableWriter::number(double value) {
    if (m_failed)
        return;
    const lxw_col_t column = nextCell();
    check(worksheet_write_number(m_sheet, m_row, column, value, nullptr));
}

void XlsxTableWriter::dateTime(const DateTime& value) {
    if (m_failed)
        return;
    const lxw_col_t column = nextCell();
    lxw_datetime at =
        toLxw(value.year, value.month, value.day, value.hour, value.minute, value.second);
    check(worksheet_write_datetime(m_sheet, m_row, column, &at, m_book.dateTimeFormat()));
}

void XlsxTableWriter::endRow() {
    ++m_row;
    m_column = 0;
}

WriteResult XlsxTableWriter::finish(const std::function<bool()>& stillWanted) {
    if (m_failed)
        return WriteResult::Failed;
    // Packing a million rows takes seconds; it runs beside the caller, which
    // meanwhile keeps its window alive. A cancel cannot stop it, only drop it.
    auto packing = std::async(std::launch::async, [this] { return m_book.close(); });
    bool wanted = true;
    do {
        if (stillWanted && !stillWanted())
            wanted = false;
    } while (packing.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready);
    const bool packed = packing.get();
    if (!wanted)
        return WriteResult::Cancelled;
    return packed && m_file.commit() ? WriteResult::Written : WriteResult::Failed;
}
