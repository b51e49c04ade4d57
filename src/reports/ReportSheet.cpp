#include "reports/ReportSheet.h"

ReportSheet ReportSheet::titled(int columns, int columnWidth, const std::string& title,
                                const std::vector<std::string>& headings, Chart chart) {
    ReportSheet sheet(columns, columnWidth);
    sheet.setTitle(title);
    sheet.setChart(chart);
    sheet.merge(0, 0, columns - 1);
    sheet.setText(0, 0, title);
    sheet.setRow(1, headings);
    return sheet;
}

void ReportSheet::setText(int row, int column, const std::string& text) {
    m_texts[{row, column}] = text;
}

void ReportSheet::setRow(int row, const std::vector<std::string>& texts) {
    for (std::size_t column = 0; column < texts.size(); ++column)
        setText(row, static_cast<int>(column), texts[column]);
}

int ReportSheet::setDataRows(const std::vector<std::vector<std::string>>& rows) {
    int row = 2;
    for (const auto& texts : rows)
        setRow(row++, texts);
    m_lastDataRow = row - 1;
    return m_lastDataRow;
}

void ReportSheet::merge(int row, int firstColumn, int lastColumn) {
    m_spans.push_back({row, firstColumn, lastColumn - firstColumn + 1});
}

void ReportSheet::colourColumn(int column, int firstRow, int lastRow, std::uint32_t colour) {
    for (int row = firstRow; row <= lastRow; ++row)
        m_colours[{row, column}] = colour;
}

std::string ReportSheet::text(int row, int column) const {
    const auto found = m_texts.find({row, column});
    return found == m_texts.end() ? std::string() : found->second;
}

std::uint32_t ReportSheet::colour(int row, int column) const {
    const auto found = m_colours.find({row, column});
    return found == m_colours.end() ? 0 : found->second;
}
