#pragma once
#include "spreadsheet/PendingFile.h"
#include "spreadsheet/TableWriter.h"

#include <fstream>
#include <memory>
#include <vector>

// CSV in UTF-8 with a byte-order mark, so that spreadsheet programs open the
// Chinese text correctly. A CSV file holds one table: the first goes to the
// given path, each further one beside it as "<name>_<table>.csv".
class CsvTableWriter : public TableWriter {
  public:
    explicit CsvTableWriter(std::string path) : m_path(std::move(path)) {}

    void startTable(const std::string& name, const std::vector<Column>& columns) override;
    void text(const std::string& value) override;
    void number(double value) override;
    void dateTime(const DateTime& value) override;
    void endRow() override;
    WriteResult finish(const std::function<bool()>& stillWanted = {}) override;

    // Where a further table of the file at path goes.
    static std::string tablePath(const std::string& path, const std::string& table);
    // The text as one field: quoted when it holds a separator, a quote or a
    // line break; a leading = + - @ is kept from being read as a formula.
    static std::string field(const std::string& text);

  private:
    struct Table {
        std::unique_ptr<PendingFile> file;
        std::ofstream out;
    };
    void put(const std::string& field);

    std::string m_path;
    std::vector<std::unique_ptr<Table>> m_tables;
    bool m_rowStarted = false;
};
