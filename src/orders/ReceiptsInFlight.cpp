#include "orders/ReceiptsInFlight.h"

#include "history/ChangeLog.h"

int ReceiptsInFlight::started(const OrderDraft& stored) {
    m_orders.emplace(++m_lastKey, stored);
    return m_lastKey;
}

std::optional<ReceiptsInFlight::Outcome> ReceiptsInFlight::ended(int key, const End& end,
                                                                 bool screenUntouched) {
    const auto found = m_orders.find(key);
    if (found == m_orders.end())
        return std::nullopt;
    Outcome outcome{std::move(found->second), Next::Nothing, {}};
    m_orders.erase(found);
    if (end.printed)
        return outcome;
    const OrderDraft& order = outcome.order;
    outcome.next = screenUntouched ? Next::BackOnScreen : Next::OfferReprint;
    outcome.warning = "第" + order.number + "号小票可能没有打印出来。\n打印机：" + end.printer +
                      "\n原因：" + end.problem + "。\n";
    // The owner sees which stored orders may have left without a receipt.
    if (!ChangeLog(m_db).write(ChangeLog::notPrinted(order.orderId, order.number)))
        outcome.warning += "无法写入操作记录（小票未打印）。\n";
    outcome.warning +=
        outcome.next == Next::BackOnScreen
            ? "订单已保存，仍在屏幕上：打印机恢复后按F11重新打印。"
            : "订单已保存。打印机恢复后按“补打”再打印这张小票；按“稍后”，以后可以点状态栏上的"
              "“补打第" +
                  order.number + "号小票”。";
    return outcome;
}
