#pragma once
#include "orders/OrderSession.h"
#include "receipt/ReceiptOrder.h"

#include <QPointer>

#include <functional>

class Database;
class PreviewWindow;
class QWidget;

// Printing and the receipt preview for the order window.
class OrderReceipts {
  public:
    // `receipt` reads the receipt of the order on screen.
    OrderReceipts(Database& db, QWidget* window, std::function<ReceiptOrder()> receipt);

    // How the order's session prints: through the print dialog or the
    // thermal printer the settings choose.
    OrderSession::Print printer();

    void togglePreview();
    void refreshPreview(); // after every change the receipt shows
    void openPrintSettings();

  private:
    void openPreview();

    Database& m_db;
    QWidget* m_window;
    std::function<ReceiptOrder()> m_receipt;
    QPointer<PreviewWindow> m_preview;
};
