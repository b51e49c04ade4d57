#pragma once
#include "spreadsheet/PendingFile.h"
#include "spreadsheet/TableWriter.h"
#include "spreadsheet/XlsxBook.h"

// Each table a worksheet of one .xlsx file. A table longer than a sheet can
// hold goes on in further sheets "<name>2", "<name>3", each with the headings.
class XlsxTableWriter : public TableWriter {
  public:
    explicit XlsxTableWriter(const std::string& path, int rowsPerSheet = LXW_ROW_MAX);

    void startTable(const std::string& name, const std::vector<Column>& columns) override;
    void text(const std::string& value) override;
    void number(double value) override;
    void dateTime(const DateTime& value) override;
    void endRow() override;
    WriteResult finish(const std::function<bool()>& stillWanted = {}) override;

  private:
    void startSheet();
    // The next cell's place; opens the next sheet when this one is full.
    lxw_col_t nextCell();
    void check(lxw_error error);

    PendingFile m_file;
    XlsxBook m_book;
    int m_rowsPerSheet;
    std::string m_name;
    std::vector<Column> m_columns;
    int m_part = 0;
    lxw_worksheet* m_sheet = nullptr;
    lxw_row_t m_row = 0;
    lxw_col_t m_column = 0;
};
