#include "spreadsheet/XlsxBook.h"

XlsxBook::XlsxBook(const std::string& path, bool constantMemory) {
    lxw_workbook_options options{};
    options.constant_memory = constantMemory ? LXW_TRUE : LXW_FALSE;
    m_book = workbook_new_opt(path.c_str(), &options);
}

XlsxBook::~XlsxBook() {
    if (m_book)
        lxw_workbook_free(m_book);
}

lxw_worksheet* XlsxBook::addSheet(const std::string& name) {
    return workbook_add_worksheet(m_book, name.c_str());
}

lxw_format* XlsxBook::dateTimeFormat() {
    if (!m_dateTime) {
        m_dateTime = addFormat();
        format_set_num_format(m_dateTime, "yyyy-mm-dd hh:mm:ss");
    }
    return m_dateTime;
}

lxw_format* XlsxBook::boldFormat() {
    if (!m_bold) {
        m_bold = addFormat();
        format_set_bold(m_bold);
    }
    return m_bold;
}

bool XlsxBook::close() {
    if (!m_book)
        return false;
    const lxw_error error = workbook_close(m_book);
    m_book = nullptr;
    return error == LXW_NO_ERROR;
}

lxw_datetime toLxw(int year, int month, int day, int hour, int minute, int second) {
    return {year, month, day, hour, minute, static_cast<double>(second)};
}
