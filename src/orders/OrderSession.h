#pragma once
#include "history/StoredOrders.h"
#include "orders/OrderDraft.h"
#include "orders/OrderEditor.h"
#include "orders/RecordedPrint.h"
#include "orders/Settlement.h"
#include "receipt/ReceiptOrder.h"

#include <functional>
#include <vector>

class Clock;
class Database;

// The order on screen and what the keys do with it, without widgets. The
// window shows the order and the mode and hands every key to this.
class OrderSession {
  public:
    enum class Mode {
        New,              // F12 settles it
        Editing,          // a stored order taken back: F12 saves it over the stored one
        StoredNotPrinted, // settled, its receipt not printed: F12 does nothing, F11 prints it
    };

    // Prints `receipt`: with copies for a settlement or a saved edit, one
    // otherwise; only a settlement may open the drawer. A non-empty startJob
    // is called once the printer is chosen, and nothing prints when it
    // returns false. True when the receipt printed, or went to a printer
    // whose end is told later.
    using Print = std::function<bool(const ReceiptOrder& receipt, bool withCopies, bool settling,
                                     const std::function<bool()>& startJob)>;

    OrderSession(Database& db, const Clock& clock) : m_db(db), m_clock(clock) {}

    // What F12 does in the current mode.
    enum class SettleKey { Settle, SaveEdit, Nothing };
    SettleKey settleKey() const;

    Mode mode() const { return m_mode; }
    const OrderDraft& order() const { return m_order; }
    // The order as the cashier typed it; the mode stays.
    void setOrder(const OrderDraft& order) { m_order = order; }
    ReceiptOrder receipt() const;

    // F12 on a new order: stores it, then prints it with copies. Once stored
    // the order carries the number it was stored with and the mode is
    // StoredNotPrinted, with the ID it was stored as; `whenStored` runs then,
    // before printing. After Done
    // the caller clears the order. Only a new order is settled.
    Settlement::Result settle(const Print& print, const std::function<void()>& whenStored);
    // Writes a settlement stores with the order, in its transaction.
    void storeAlongWithSettlement(Settlement::AlongWith write) {
        m_alongWith.push_back(std::move(write));
    }
    // F11: one receipt of the order as it stands, stored only as its record;
    // a stored order's receipt is recorded as a reprint.
    Settlement::Result printOnly(const Print& print);
    // F12 while editing: saves the order over the stored one.
    static constexpr const char* alreadyStored =
        "订单已保存，小票没有打印。按 F11 重新打印，按 F10 清空。";
    OrderEditor::Result saveEdit();
    // The receipt of the stored order on screen with copies, with its record.
    RecordedPrint::Result printStored(const Print& print);

    // A fresh order numbered `nextNumber`, in the New mode. Without one (the
    // day's orders could not be read) the number is read again at F12, and
    // the order is not stored while it cannot be.
    void clear(std::optional<int> nextNumber);
    // Nothing typed since the screen was cleared for a new order; the number
    // and the order time change by themselves and do not count.
    bool untouched() const;
    // A stored order whose receipt did not print, back on screen for F11.
    void showNotPrinted(const OrderDraft& stored);
    // The stored order in place of the one on screen, in the Editing mode.
    void beginEditing(const StoredOrder& order, const std::vector<StoredLine>& lines,
                      int timeFormat);

  private:
    Database& m_db;
    const Clock& m_clock;
    OrderDraft m_order;
    Mode m_mode = Mode::New;
    bool m_numberUnread = false; // cleared without a number, none typed since
    OrderDraft m_cleared;        // the order as the last clear left it
    std::vector<Settlement::AlongWith> m_alongWith;
};
