#pragma once
#include <string>
#include <vector>

class Database;

// One dish line of a stored order, as the order grid shows it.
struct StoredLine {
    std::string dish;
    std::string quantity;
    std::string unit;
    std::string subtotal;
};

// Stored orders as the history window reaches them: deletion and the lines of one order.
class StoredOrders {
  public:
    explicit StoredOrders(Database& db) : m_db(db) {}

    // Removes the order and its lines together; false leaves both as they were.
    bool deleteOrder(const std::string& idText);

    // The lines whose order ID matches and whose sale date reads as dateText
    // ("2017年5月15日"), the form the history list shows an order's date in.
    std::vector<StoredLine> findOrderLines(const std::string& idText,
                                           const std::string& dateText) const;

    static std::string deleteQuestion(const std::string& number, const std::string& dateText);
    // Why the last deletion failed, for the cashier.
    std::string deleteFailure() const;

  private:
    static std::string linesCondition(const std::string& idText, const std::string& dateText);
    Database& m_db;
};
