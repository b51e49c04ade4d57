#include "held/HeldOrderDesk.h"

#include "storage/engine/Database.h"
#include "storage/engine/DbTransaction.h"
#include "storage/values/Clock.h"

namespace {

// Renewed well before it lapses, so that a slow server never lets it go.
constexpr int renewalSeconds = HeldOrders::leaseSeconds / 4;

} // namespace

std::string HeldOrderDesk::holdRefusal(OrderSession::Mode mode, const OrderDraft& order) {
    const std::string refused = storedOnScreen(mode, "挂单");
    if (!refused.empty() || order.hasContent())
        return refused;
    return "屏幕上没有订单可以挂起。";
}

std::string HeldOrderDesk::takeRefusal(OrderSession::Mode mode) {
    return storedOnScreen(mode, "取单");
}

// A stored order on screen is neither parked nor replaced: its edit or its
// receipt would be lost.
std::string HeldOrderDesk::storedOnScreen(OrderSession::Mode mode, const std::string& action) {
    switch (mode) {
    case OrderSession::Mode::Editing:
        return "正在修改已保存的订单，不能" + action + "。请先按 F12 保存修改，或按 F10 清空。";
    case OrderSession::Mode::StoredNotPrinted:
        return "订单已保存，小票没有打印，不能" + action + "。按 F11 重新打印，按 F10 清空。";
    case OrderSession::Mode::New:
        break;
    }
    return {};
}

std::string HeldOrderDesk::hold(const OrderDraft& order) {
    if (m_store.hold(order, m_onScreen) == 0)
        return m_store.failure();
    m_onScreen = 0;
    m_renewAt.reset();
    return {};
}

HeldOrders::Taken HeldOrderDesk::take(long long id) {
    HeldOrders::Taken taken = m_store.take(id);
    if (taken.outcome == HeldOrders::TakeOutcome::Taken) {
        m_onScreen = id;
        m_renewAt = HeldOrders::secondsAfter(m_clock.now(), renewalSeconds);
    }
    return taken;
}

std::string HeldOrderDesk::settleOnScreen() {
    return m_onScreen == 0 ? std::string() : m_store.remove(m_onScreen);
}

std::string HeldOrderDesk::discardOnScreen() {
    if (m_onScreen == 0)
        return {};
    const std::string refused = m_store.discard(m_onScreen);
    leaveScreen();
    return refused;
}

void HeldOrderDesk::leaveScreen() {
    if (m_onScreen != 0)
        (void)m_store.release(m_onScreen);
    m_onScreen = 0;
    m_renewAt.reset();
}

void HeldOrderDesk::keepLease() {
    if (m_onScreen == 0 || !m_renewAt || m_clock.now() < *m_renewAt)
        return;
    // A renewal that fails is tried again at the next tick.
    if (m_store.renew(m_onScreen))
        m_renewAt = HeldOrders::secondsAfter(m_clock.now(), renewalSeconds);
}
