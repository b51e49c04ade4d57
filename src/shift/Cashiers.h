#pragma once
#include "storage/engine/ReadResult.h"

#include <string>
#include <vector>

class Database;

// 收银员: the people who may take orders at the tills. Where the list is
// empty nobody is asked who is at the till. A PIN is optional; only a
// salted digest of it is kept, as of the manager password.
class Cashiers {
  public:
    explicit Cashiers(Database& db, int rounds = defaultRounds) : m_db(db), m_rounds(rounds) {}

    ReadResult<std::vector<std::string>> names() const;
    // Empty when added; otherwise why not, for the cashier.
    [[nodiscard]] std::string add(const std::string& name, const std::string& pin);
    // Empty when removed; otherwise why not.
    [[nodiscard]] std::string remove(const std::string& name);
    // Whether `name` is on the list and `pin` is its PIN (anything, where it has none).
    ReadResult<bool> accepts(const std::string& name, const std::string& pin) const;

    // A short PIN needs fewer rounds than a password to be typed at every handover.
    static constexpr int defaultRounds = 50000;
    static constexpr std::size_t longestName = 16;

  private:
    Database& m_db;
    int m_rounds;
};
