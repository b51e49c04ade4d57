#pragma once
#include "storage/engine/ReadResult.h"
#include "storage/values/Money.h"

#include <string>
#include <vector>

class Database;

// Reads the sums the database keeps per day (see KeptSums) instead of adding
// up every row of a period. Days are "YYYY-MM-DD" text; a range takes the
// days d with from <= d < to, compared as text, so "2017" to "2017~" is the
// year. Days whose count went back to zero are left out.
class KeptSumsReader {
  public:
    explicit KeptSumsReader(Database& db) : m_db(db) {}

    // What part of the orders a total counts.
    enum class Orders { All, DineIn, TakeOut };
    struct Total {
        long long count = 0;
        Money paid;  // 实付
        Money total; // 合计
    };
    struct Day {
        std::string day;
        long long count = 0; // orders, or order lines
        Money amount;        // 实付 of orders, or 小计 of lines
    };

    // The orders of every day, or of the days of a range.
    ReadResult<Total> orders(Orders which);
    ReadResult<Total> orders(const std::string& from, const std::string& to);
    // Orders by order day, in day order.
    ReadResult<std::vector<Day>> orderDays(const std::string& from, const std::string& to);
    // Order lines by sale day, in day order: of every dish, or of the one named.
    ReadResult<std::vector<Day>> lineDays(const std::string& from, const std::string& to,
                                          const std::string* dish);

  private:
    ReadResult<Total> total(const std::string& sql);
    ReadResult<std::vector<Day>> days(const std::string& sql);

    Database& m_db;
};
