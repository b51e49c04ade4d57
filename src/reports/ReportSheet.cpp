#include "reports/ReportSheet.h"

void ReportSheet::setText(int row, int column, const std::string& text) {
    m_texts[{row, column}] = text;
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
