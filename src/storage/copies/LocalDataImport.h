#pragma once
#include <functional>
#include <string>

class Database;
struct TableDef;

// Moves a shop's history onto the server its tills now share: every table of
// a till's data file replaces the rows of the server database, in one
// transaction. The file itself is never written to.
class LocalDataImport {
  public:
    // Rows copied so far and in all; false from it cancels the import.
    using Progress = std::function<bool(long long done, long long total)>;

    explicit LocalDataImport(Database& target) : m_target(target) {}

    // Why the target takes no import (it holds orders already), else empty.
    std::string refusal();
    // False with problem() when nothing was stored: a cancel, a file that is
    // no sound order database, a refused target or a failed statement.
    bool run(const std::string& path, const Progress& progress);
    const std::string& problem() const { return m_problem; }

    static constexpr const char* cancelled = "导入已取消，服务器上的数据没有改动。";

  private:
    struct Count {
        long long done = 0;
        long long total = 0;
    };
    bool copyAll(Database& source, const Progress& progress);
    bool copyTable(Database& source, const TableDef& table, Count& count, const Progress& progress);
    bool fail(std::string problem);

    Database& m_target;
    std::string m_problem;
};
