#pragma once
#include "catalogue/SoldOut.h"
#include "orders/OrderGrid.h"
#include "storage/engine/ReadResult.h"

#include <string>
#include <vector>

class Database;
class DishCache;

// A regular's usual order in one key ("上次订单"): the lines of the
// customer's last stored order, entered again at today's prices.
class LastOrder {
  public:
    struct Refill {
        bool found = false;               // the customer has a stored order
        std::vector<std::string> leftOut; // "菜名（原因）" of the lines not entered
        // The cashier's note on what was left out; empty when nothing was.
        std::string note() const;
    };

    explicit LastOrder(Database& db) : m_db(db) {}

    // Enters the lines of the last order of `telephone` into `grid`: dishes
    // no longer in `dishes`, or sold out (fewer left than it took) in
    // `soldOut`, are left out and named.
    ReadResult<Refill> fill(const std::string& telephone, const DishCache& dishes,
                            const SoldOut::Marks& soldOut, OrderGrid& grid);

  private:
    Database& m_db;
};
