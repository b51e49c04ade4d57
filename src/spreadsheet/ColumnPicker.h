#pragma once
#include "spreadsheet/SheetTable.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

// Gathers a sheet's rows as they are read, keeping only the columns whose
// heading is wanted: the first row with any text is the heading row, and it
// and every later row keep the wanted columns in the order they stand. A row
// with a cell in the last column of a sheet costs no more than the columns
// kept, and a sheet past the limits below is refused instead of gathered.
// A heading row naming none of the wanted columns is kept whole.
class ColumnPicker {
  public:
    // What a spreadsheet program itself allows across; far more rows than any menu.
    static constexpr std::size_t maximumRows = 100'000;
    static constexpr int maximumColumns = 16'384;

    // No headings: every column is kept.
    explicit ColumnPicker(std::vector<std::string> headings = {});

    // Rows are numbered from 1 and may skip numbers; columns count from 0.
    void startRow(std::size_t line);
    // False, with the reason in problem(), when the cell lies past the limits.
    bool cell(int column, std::string text);
    void endRow();

    const std::string& problem() const { return m_problem; }
    std::size_t line() const { return m_line; }
    SheetTable take() { return std::move(m_table); }

  private:
    void pickHeadings();
    int keptIndex(int column) const;

    std::vector<std::string> m_headings;
    std::vector<int> m_kept; // the columns kept, by their place in a kept row
    bool m_headingFound;
    std::map<int, std::string> m_pending; // the cells of a row before the heading row
    std::size_t m_line = 0;
    SheetTable m_table;
    std::string m_problem;
};
