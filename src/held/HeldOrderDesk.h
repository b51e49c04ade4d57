#pragma once
#include "held/HeldOrders.h"
#include "orders/OrderSession.h"

#include <optional>
#include <string>

// What F8 (挂单) and F9 (取单) do with the order on screen, without widgets:
// which orders may be parked or brought back, and the one taken back while
// it is on screen, whose lease this keeps and which settling removes.
class HeldOrderDesk {
  public:
    HeldOrderDesk(Database& db, const Clock& clock) : m_clock(clock), m_store(db, clock) {}

    // Why the order on screen in `mode` cannot be parked now; empty when it can.
    static std::string holdRefusal(OrderSession::Mode mode, const OrderDraft& order);
    // Why no held order may replace the one on screen in `mode`; empty when one may.
    static std::string takeRefusal(OrderSession::Mode mode);

    // Parks the order on screen (in place of the held order it was taken from).
    // Empty, or why nothing was parked.
    std::string hold(const OrderDraft& order);
    // Takes held order `id` onto the screen.
    HeldOrders::Taken take(long long id);
    // Run in the transaction of a settlement: the held order on screen is
    // settled now, so it is held no more. Empty, or why the settlement stops.
    std::string settleOnScreen();
    // The cashier cleared the held order on screen away: it is held no more.
    // Empty, or why it stays held (the screen is cleared all the same).
    std::string discardOnScreen();
    // The order on screen is gone (settled, cleared, the program closing):
    // a held order it was stays held, free for any till.
    void leaveScreen();
    // Keeps the lease while the order is on screen; every tick may call it.
    void keepLease();

    bool heldOnScreen() const { return m_onScreen != 0; }
    HeldOrders& store() { return m_store; }

  private:
    static std::string storedOnScreen(OrderSession::Mode mode, const std::string& action);

    const Clock& m_clock;
    HeldOrders m_store;
    long long m_onScreen = 0;
    std::optional<DateTime> m_renewAt;
};
