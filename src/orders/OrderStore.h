#pragma once
#include <string>
#include <vector>

class Database;
struct OrderDraft;

// Writes an order with its lines, and with its change record when it replaces
// a stored one. Every writer of orders goes through here: settlement, saving
// an edited order, demo data. Calls run inside the caller's transaction.
class OrderStore {
  public:
    struct Line {
        std::string dish;
        std::string quantity;
        std::string unit;
        std::string subtotal;
    };
    // An order as its row holds it. Numbers may be any number text: they are
    // rebuilt from their value before they enter a statement, amounts to the fen.
    struct Order {
        std::string number;
        std::string header;
        std::string shop;
        std::string time; // any text the date-time column reads
        std::string discountName;
        std::string discountPortions;
        std::string discountAmount;
        std::string total;
        std::string paymentMethod;
        std::string paid;
        std::string actuallyPaid;
        std::string table;
        std::string telephone;
        std::string name;
        std::string address;
        std::string remark;
        std::string rounding;
        std::vector<Line> lines;
        bool demo = false; // invented by the demo data; an edit keeps the mark
    };

    // The order on screen as stored at `time`, numbered `number`.
    static Order fromDraft(const OrderDraft& draft, const std::string& number,
                           const std::string& time);

    explicit OrderStore(Database& db) : m_db(db) {}

    // The new order's ID; 0 when a row could not be stored.
    [[nodiscard]] long long insert(const Order& order);
    // Replaces the row and lines of stored order `id` and records the order
    // before and after. False when it is gone or a statement failed.
    [[nodiscard]] bool replace(long long id, const Order& order);

  private:
    bool insertLines(long long id, const Order& order);

    Database& m_db;
};
