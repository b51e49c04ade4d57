#pragma once
#include "storage/engine/KeptSumsReader.h"

#include <string>
#include <vector>

// The days of a report's period, as its rows group them: a year, a month, or
// the months from one up to (not including) another, each keyed exactly as
// format(时间,'yyyy') or format(时间,'yyyy-mm') keys a stored time.
class DayPeriod {
  public:
    static DayPeriod year(const std::string& year);       // "2017"
    static DayPeriod month(const std::string& monthKey);  // "2017-05"
    static DayPeriod months(const std::string& from, const std::string& to);

    // The range of days to read, as KeptSumsReader takes it.
    const std::string& from() const { return m_from; }
    const std::string& to() const { return m_to; }

    // The days that belong to the period summed by the first `keyLength`
    // characters of their day (10: by day, 7: by month), in key order.
    std::vector<KeptSumsReader::Day> grouped(const std::vector<KeptSumsReader::Day>& days,
                                             std::size_t keyLength) const;

  private:
    DayPeriod(std::string from, std::string to, std::string exact)
        : m_from(std::move(from)), m_to(std::move(to)), m_exact(std::move(exact)) {}
    bool holds(const std::string& day) const;

    std::string m_from;
    std::string m_to;
    std::string m_exact; // the year or month every day starts with; empty: the range decides
};
