#pragma once
#include "orders/OrderDraft.h"
#include "storage/engine/ReadResult.h"
#include "storage/engine/Rows.h"
#include "storage/values/DateTime.h"

#include <string>
#include <vector>

class Clock;
class Database;

// Orders parked at the counter (挂单) with their lines: kept in the database
// so that they survive a restart, shared by every till of a server, never
// numbered or counted as income until settled. A till that takes one back
// holds a lease on it, renewed while the order is on its screen; a lease
// that is not renewed lapses, so a till that stops never locks an order.
class HeldOrders {
  public:
    // How long a lease lasts without renewal.
    static constexpr int leaseSeconds = 120;

    // One held order as the list shows it.
    struct Summary {
        long long id = 0;
        std::string heldAt;   // "12-08 12:30"
        std::string who;      // the table, or the customer's name and telephone
        std::string total;    // yuan
        std::string dishes;   // the first dishes with their quantities
        std::string leasedBy; // another till that has it on screen now, or empty
    };

    enum class TakeOutcome { Taken, Leased, Gone, Failed };
    struct Taken {
        TakeOutcome outcome;
        OrderDraft order;    // for Taken: every field held, no number and no time
        std::string message; // for the others
    };

    HeldOrders(Database& db, const Clock& clock) : m_db(db), m_clock(clock) {}

    // Parks `order`, in place of held order `replacing` (0 for none), free for
    // any till to take. Its ID, or 0 with failure() set.
    [[nodiscard]] long long hold(const OrderDraft& order, long long replacing);
    // Newest first.
    ReadResult<std::vector<Summary>> list();
    ReadResult<int> count();
    // Leases held order `id` to this till and gives it back.
    Taken take(long long id);
    // Keeps the lease of held order `id` for another leaseSeconds.
    bool renew(long long id);
    // Gives up the lease: the order stays held for any till.
    bool release(long long id);
    // Removes held order `id`, which this till must hold the lease of; runs
    // inside the caller's transaction. Empty, or why it could not.
    std::string remove(long long id);

    // Removes held order `id` in a transaction of its own. Empty, or why it stays.
    std::string discard(long long id);
    // The time `seconds` after `t`, across midnight and month ends.
    static DateTime secondsAfter(const DateTime& t, int seconds);

    // Why the last hold failed, for the cashier.
    const std::string& failure() const { return m_failure; }

  private:
    bool insertLines(long long id, const OrderDraft& order);
    // Another till whose lease on the row has not lapsed; empty otherwise.
    std::string leaseHolder(const Rows::Row& row) const;
    bool lease(long long id, const std::string& condition);
    std::string now() const;

    Database& m_db;
    const Clock& m_clock;
    std::string m_failure;
};
