#pragma once
#include "kitchen/KitchenLine.h"
#include "kitchen/KitchenOrder.h"
#include "storage/engine/ReadResult.h"

#include <vector>

class Database;

// What the kitchen was sent of each stored order (厨房已送), the stored
// orders as tickets read them, and which station makes which dish.
class KitchenRecord {
  public:
    explicit KitchenRecord(Database& db) : m_db(db) {}

    ReadResult<std::vector<KitchenLine>> sent(long long orderId) const;
    // Within the caller's transaction.
    [[nodiscard]] bool replaceSent(long long orderId, const std::vector<KitchenLine>& lines);
    // A stored order with its dishes; a failure also when it is gone.
    ReadResult<KitchenOrder> order(long long orderId) const;
    // The lines whose dish goes to a station, with its station.
    ReadResult<std::vector<KitchenLine>> atStations(const std::vector<KitchenLine>& lines) const;

  private:
    Database& m_db;
};
