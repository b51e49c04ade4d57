#pragma once
#include "spreadsheet/Progress.h"
#include "storage/values/DateTime.h"

#include <functional>

#include <string>
#include <vector>

// Rows of typed cells written as one or more tables of a file; nothing
// reaches the destination before finish() succeeds.
class TableWriter {
  public:
    struct Column {
        std::string heading;
        int width = 12; // in characters, where the format keeps widths
    };

    virtual ~TableWriter() = default;
    // Starts a table with its heading row (none when the columns are empty).
    virtual void startTable(const std::string& name, const std::vector<Column>& columns) = 0;
    virtual void text(const std::string& value) = 0;
    virtual void number(double value) = 0;
    virtual void dateTime(const DateTime& value) = 0;
    // Both formats leave a cell of empty text empty.
    void blank() { text({}); }
    virtual void endRow() = 0;
    // False once the file cannot be written.
    bool ok() const { return !m_failed; }
    // Puts the finished file(s) in place. Packing a large file takes a while;
    // meanwhile stillWanted is asked, a few times a second, whether the file
    // is still wanted, so that a window can stay alive and be cancelled.
    virtual WriteResult finish(const std::function<bool()>& stillWanted = {}) = 0;

  protected:
    bool m_failed = false;
};
