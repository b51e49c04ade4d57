#pragma once
#include "orders/Settlement.h"
#include "receipt/ReceiptOrder.h"

#include <QPointer>

#include <functional>

class Clock;
class Database;
class PreviewWindow;
class QWidget;
struct OrderDraft;

// Settlement, printing and the receipt preview for the order window: the
// window hands over the order on screen and acts on what became of it.
class OrderReceipts {
  public:
    // `receipt` reads the receipt of the order as the window shows it.
    OrderReceipts(Database& db, Clock& clock, QWidget* window,
                  std::function<ReceiptOrder()> receipt);

    // F12: stores the order, then prints it with copies; `whenStored` runs
    // before printing, with the number stored. Refusals are told here; the
    // window acts on the rest.
    Settlement::Result settle(const OrderDraft& draft,
                              const std::function<void(const std::string&)>& whenStored);
    // F11: one receipt, stored only as its record.
    void printOnly(const OrderDraft& draft);
    // The receipt of the stored order on screen, with its change record;
    // false when it was not printed.
    bool printRecorded(const OrderDraft& draft, bool withCopies);

    void togglePreview();
    void refreshPreview(); // after every change the receipt shows
    void openPrintSettings();

  private:
    // Only settling a new order may open the cash drawer.
    bool print(bool withCopies, bool settling = false, const std::function<bool()>& startJob = {});
    void openPreview();

    Database& m_db;
    Clock& m_clock;
    QWidget* m_window;
    std::function<ReceiptOrder()> m_receipt;
    QPointer<PreviewWindow> m_preview;
};
