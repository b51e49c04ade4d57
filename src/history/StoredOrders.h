#pragma once
#include "history/StoredOrder.h"
#include "storage/engine/ReadResult.h"
#include "storage/values/DateTime.h"

#include <optional>
#include <string>
#include <vector>

class Database;

// Stored orders as the history window reaches them: deletion and the lines of one order.
class StoredOrders {
  public:
    explicit StoredOrders(Database& db) : m_db(db) {}

    // Removes the order and its lines and records what they held, all
    // together; false (also when there is no such order) changes nothing.
    [[nodiscard]] bool deleteOrder(const std::string& idText);

    // None when there is no such order or it could not be read
    // (Database::lastFailure() says which).
    std::optional<StoredOrder> loadOrder(const std::string& idText) const;
    // Every line of the order, whatever its sale date, in the order entered.
    ReadResult<std::vector<StoredLine>> allLines(const std::string& idText) const;
    // The order as a change record keeps it; none when there is no such order
    // or it could not be read whole, as loadOrder().
    std::optional<std::string> recordText(const std::string& idText) const;

    // The lines whose order ID matches and whose sale date reads as dateText
    // ("2017年5月15日"), the form the history list shows an order's date in.
    ReadResult<std::vector<StoredLine>> findOrderLines(const std::string& idText,
                                                       const std::string& dateText) const;

    static std::string deleteQuestion(const std::string& number, const std::string& dateText);
    // Why the last deletion failed, for the cashier.
    std::string deleteFailure() const;

  private:
    static std::string linesCondition(const std::string& idText, const std::string& dateText);
    ReadResult<std::vector<StoredLine>> readLines(const std::string& statement) const;
    Database& m_db;
};
