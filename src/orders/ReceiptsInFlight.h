#pragma once
#include "orders/OrderDraft.h"

#include <map>
#include <optional>
#include <string>

class Database;

// Stored orders whose receipts print in the background while the window
// takes the next order. Each is known by the key it was started with, so the
// end of a print is only ever applied to the order it was printing.
class ReceiptsInFlight {
  public:
    explicit ReceiptsInFlight(Database& db) : m_db(db) {}

    // The stored order (its ID and number set) whose receipt has gone to the
    // printer; the key its end is told with.
    int started(const OrderDraft& stored);
    bool empty() const { return m_orders.empty(); }

    // How a print ended, as the printer's job tells it.
    struct End {
        bool printed = false;
        std::string printer; // the connection, as the cashier set it
        std::string problem; // why it did not print
    };
    // What the window does about the order once its print has ended.
    enum class Next {
        Nothing,      // printed
        BackOnScreen, // nothing typed since it was settled: the order goes back, F11 prints it
        OfferReprint, // the cashier is on another order: the warning offers to print it again
    };
    struct Outcome {
        OrderDraft order;
        Next next = Next::Nothing;
        std::string warning; // names the order; empty when it printed
    };
    // The print of `key` has ended; nothing for a key not under way. A
    // receipt that did not print is recorded as a settlement's is.
    std::optional<Outcome> ended(int key, const End& end, bool screenUntouched);

  private:
    Database& m_db;
    int m_lastKey = 0;
    std::map<int, OrderDraft> m_orders;
};
