#pragma once
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
    // before printing. True when both were done and the order may be cleared.
    bool settle(const OrderDraft& draft, const std::function<void()>& whenStored);
    // F11: one receipt, nothing stored.
    void printOnly(const OrderDraft& draft);
    // The receipt of the order on screen; false when it was not printed.
    bool print(bool withCopies, bool settling = false);

    void togglePreview();
    void refreshPreview(); // after every change the receipt shows
    void followWindow();   // the preview moves with the order window
    void openPrintSettings();

  private:
    void openPreview();

    Database& m_db;
    Clock& m_clock;
    QWidget* m_window;
    std::function<ReceiptOrder()> m_receipt;
    QPointer<PreviewWindow> m_preview;
};
