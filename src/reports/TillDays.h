#pragma once
#include "reports/ReportTill.h"
#include "storage/engine/KeptSumsReader.h"

#include <string>
#include <vector>

class Database;

// The sums a report reads by day, added up from the rows of one till's
// orders: the kept sums have no till in their key. Each day is counted and
// rounded to the fen as the kept sums count it, so a till that took every
// order gives the same figures.
class TillDays {
  public:
    TillDays(Database& db, ReportTill till) : m_db(db), m_till(std::move(till)) {}

    // The till's orders by order day, in day order.
    ReadResult<std::vector<KeptSumsReader::Day>> orderDays(const std::string& from,
                                                           const std::string& to);
    // The lines of the till's orders by sale day, in day order: of every
    // dish, or of the one named.
    ReadResult<std::vector<KeptSumsReader::Day>>
    lineDays(const std::string& from, const std::string& to, const std::string* dish);

  private:
    ReadResult<std::vector<KeptSumsReader::Day>> days(const std::string& sql);

    Database& m_db;
    ReportTill m_till;
};
