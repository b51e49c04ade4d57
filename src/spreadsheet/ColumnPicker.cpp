#include "spreadsheet/ColumnPicker.h"

#include "storage/values/Values.h"

#include <algorithm>

ColumnPicker::ColumnPicker(std::vector<std::string> headings)
    : m_headings(std::move(headings)), m_headingFound(m_headings.empty()) {}

void ColumnPicker::startRow(std::size_t line) {
    m_line = line;
    m_pending.clear();
}

bool ColumnPicker::cell(int column, std::string text) {
    if (column < 0 || column >= maximumColumns) {
        m_problem = "第" + std::to_string(m_line) + "行的单元格超出了表格的范围（最多" +
                    std::to_string(maximumColumns) + "列）。";
        return false;
    }
    if (m_line > maximumRows && !text.empty()) {
        m_problem = "表格超过了" + std::to_string(maximumRows) + "行，不像是一份菜单。";
        return false;
    }
    // Kept whole, a row keeps its empty cells as well.
    if (m_line > maximumRows || (text.empty() && !m_headings.empty()))
        return true;
    if (!m_headingFound) {
        m_pending[column] = std::move(text);
        return true;
    }
    const int index = keptIndex(column);
    if (index < 0)
        return true;
    if (m_table.size() < m_line)
        m_table.resize(m_line);
    auto& row = m_table[m_line - 1];
    if (row.size() <= static_cast<std::size_t>(index))
        row.resize(index + 1);
    row[index] = std::move(text);
    return true;
}

void ColumnPicker::endRow() {
    const bool blank = std::all_of(m_pending.begin(), m_pending.end(), [](const auto& cell) {
        return Values::trim(cell.second).empty();
    });
    if (m_headingFound || blank)
        return;
    pickHeadings();
    m_pending.clear();
}

void ColumnPicker::pickHeadings() {
    m_headingFound = true;
    m_table.resize(m_line);
    auto& row = m_table[m_line - 1];
    for (const auto& [column, text] : m_pending) {
        const std::string heading = Values::trim(text);
        const bool wanted =
            std::find(m_headings.begin(), m_headings.end(), heading) != m_headings.end();
        const bool taken = std::find(row.begin(), row.end(), heading) != row.end();
        if (wanted && !taken) {
            m_kept.push_back(column);
            row.push_back(heading);
        }
    }
    if (!row.empty())
        return;
    // A heading row naming none of the wanted ones is kept whole, so that
    // the reader can say what it found there.
    for (const auto& [column, text] : m_pending) {
        row.resize(column + 1);
        row[column] = text;
    }
}

int ColumnPicker::keptIndex(int column) const {
    if (m_headings.empty())
        return column;
    const auto found = std::find(m_kept.begin(), m_kept.end(), column);
    return found == m_kept.end() ? -1 : static_cast<int>(found - m_kept.begin());
}
