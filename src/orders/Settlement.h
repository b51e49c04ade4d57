#pragma once
#include "orders/OrderDraft.h"
#include "orders/RecordedPrint.h"
#include "storage/engine/ReadResult.h"

#include <functional>
#include <string>

class Clock;
class Database;

// Stores a settled order (the order row, its lines and the customer) and
// hands it to the printer.
class Settlement {
  public:
    enum class Outcome {
        NoDishes,   // nothing was done; tell the cashier
        NotStored,  // refused or failed; nothing stored, the order stays on screen
        NotPrinted, // stored, but the receipt was not printed
        Done,       // stored and printed
    };
    struct Result {
        Outcome outcome;
        std::string message; // for NoDishes and NotStored
        long long orderId = 0;
    };

    // Printing with copies; true when printed.
    using Print = std::function<bool(bool withCopies)>;

    static constexpr const char* noDishesMessage = "无法完成，还没有选择任何菜品。";

    Settlement(Database& db, const Clock& clock) : m_db(db), m_clock(clock) {}

    // F12 on a new order: store, then print with copies.
    [[nodiscard]] Result settle(const OrderDraft& order, const Print& print);
    // F11: print one copy and store nothing but the record of the print.
    [[nodiscard]] Result printOnly(const OrderDraft& order, const RecordedPrint::Job& printOneCopy);
    // The order, its lines and the customer in one transaction.
    [[nodiscard]] Result store(const OrderDraft& order);
    // The number the last stored order carries: the draft's, unless another
    // till sharing the server stored that number first.
    const std::string& storedNumber() const { return m_number; }
    // The ID of the order settle() stored, once it is stored.
    long long storedId() const { return m_storedId; }

    static bool hasDishes(const OrderDraft& order);
    // The order was not stored because today's numbers could not be read.
    static Result numberUnread(const ReadFailure& failure);

  private:
    std::string refusal(const OrderDraft& order) const;
    // Why nothing was stored, as far as the database can tell.
    Result notStored() const;
    // The answer to COMMIT was lost: whether the order is stored, looked up
    // by its number, time and till once the server answers again.
    Result unconfirmed(const OrderDraft& order);
    ReadResult<std::string> claimNumber(const std::string& typed);
    bool updateCustomer(const OrderDraft& order);

    Database& m_db;
    const Clock& m_clock;
    std::string m_number;
    long long m_storedId = 0;
};
