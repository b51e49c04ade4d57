#pragma once
#include <xlsxwriter.h>

#include <string>

// One .xlsx workbook being written by libxlsxwriter. A book dropped before
// close() is freed without writing anything.
class XlsxBook {
  public:
    // constantMemory: rows go to disk as they are written, so a sheet of a
    // million rows costs no more memory than one of ten; rows must then be
    // written top to bottom and cells cannot be merged.
    XlsxBook(const std::string& path, bool constantMemory);
    ~XlsxBook();
    XlsxBook(const XlsxBook&) = delete;
    XlsxBook& operator=(const XlsxBook&) = delete;

    bool ok() const { return m_book != nullptr; }
    lxw_workbook* get() const { return m_book; }
    lxw_worksheet* addSheet(const std::string& name);
    lxw_format* addFormat() { return workbook_add_format(m_book); }
    // Cells that show date and time, "2017-05-15 12:30:00".
    lxw_format* dateTimeFormat();
    lxw_format* boldFormat();
    // Writes the file; false when it could not be written.
    bool close();

  private:
    lxw_workbook* m_book = nullptr;
    lxw_format* m_dateTime = nullptr;
    lxw_format* m_bold = nullptr;
};

// A date-time as a spreadsheet cell takes it.
lxw_datetime toLxw(int year, int month, int day, int hour, int minute, int second);
