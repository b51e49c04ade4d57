#pragma once
#include "orders/OrderSession.h"
#include "orders/ReceiptsInFlight.h"
#include "ui/receipt/ReceiptPrinter.h"

#include <QObject>
#include <deque>
#include <functional>
#include <map>
#include <memory>

class Database;
class PrintJob;
class QLabel;
class QStatusBar;
class QWidget;

// Receipts of settled orders that print on the thermal printer while the
// order window takes the next order. The end of each comes back on the
// window's thread; one that did not print is told, naming its order, and
// the order stays within reach: back on screen when nothing was typed since,
// otherwise printed again on the cashier's word.
class BackgroundReceipts : public QObject {
    Q_OBJECT
  public:
    struct Window {
        // Nothing typed since the screen was cleared for a new order.
        std::function<bool()> untouched;
        // The stored order back on screen, stored but not printed.
        std::function<void(const OrderDraft&)> showNotPrinted;
    };
    BackgroundReceipts(Database& db, QWidget* window, Window hooks);
    ~BackgroundReceipts() override;

    // How F12 prints the order `stored` reads once it is stored: a job on
    // the thermal printer goes on without being waited for and counts as
    // handed over; its end is told later.
    OrderSession::Print settling(std::function<OrderDraft()> stored);
    // The link that prints again the receipts the cashier left for later.
    void showIn(QStatusBar* bar);
    // Puts on the link the receipts still owed from earlier today, also those
    // left for later before the program last closed.
    void remindOwed(int timeFormat);
    // Before the program closes: the receipts under way are waited for
    // within one job's time limit, and those that did not print are recorded.
    void finishBeforeClosing();

  private:
    struct Relay;
    struct Running {
        std::shared_ptr<PrintJob> job;
        std::string printer;
    };
    // True when the receipt printed or went on its way.
    bool watch(const OrderDraft& order, const ReceiptPrinter::Start& started);
    void ended(int key);
    void tellNext();
    void reprint(const OrderDraft& order);
    void reprintLater();
    void showLater();

    Database& m_db;
    QWidget* m_window;
    Window m_hooks;
    ReceiptsInFlight m_inFlight;
    std::map<int, Running> m_running;
    std::shared_ptr<Relay> m_relay;
    std::deque<std::pair<int, ReceiptsInFlight::End>> m_ended;
    bool m_telling = false;
    std::deque<OrderDraft> m_later; // stored, not printed, left for later
    QLabel* m_laterLink = nullptr;
};
