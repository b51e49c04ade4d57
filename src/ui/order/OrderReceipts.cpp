#include "ui/order/OrderReceipts.h"

#include "ui/receipt/PreviewWindow.h"
#include "ui/receipt/ReceiptPrinter.h"
#include "ui/receipt/ReceiptSettingsDialog.h"

OrderReceipts::OrderReceipts(Database& db, QWidget* window, std::function<ReceiptOrder()> receipt)
    : m_db(db), m_window(window), m_receipt(std::move(receipt)) {}

OrderSession::Print OrderReceipts::printer() {
    return [this](const ReceiptOrder& receipt, bool withCopies, bool settling,
                  const std::function<bool()>& startJob) {
        return ReceiptPrinter(m_db, m_window).printReceipt(receipt, withCopies, settling, startJob);
    };
}

void OrderReceipts::togglePreview() {
    if (m_preview && !m_preview->isHidden() && !m_preview->isMinimized())
        m_preview->close();
    else
        openPreview();
}

void OrderReceipts::openPreview() {
    if (!m_preview || m_preview->isHidden())
        m_preview = new PreviewWindow(m_db, m_window, m_receipt);
    m_preview->showNormal();
    m_preview->raise();
}

void OrderReceipts::refreshPreview() {
    if (m_preview && !m_preview->isHidden())
        m_preview->renderPreview();
}

void OrderReceipts::openPrintSettings() {
    openPreview();
    ReceiptSettingsDialog dialog(m_db, m_window);
    QObject::connect(&dialog, &ReceiptSettingsDialog::settingsApplied, m_window,
                     [this] { refreshPreview(); });
    dialog.exec();
}
