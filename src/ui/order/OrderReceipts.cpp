#include "ui/order/OrderReceipts.h"

#include "orders/Settlement.h"
#include "ui/common/MessageBoxes.h"
#include "ui/receipt/PreviewWindow.h"
#include "ui/receipt/ReceiptPrinter.h"
#include "ui/receipt/ReceiptSettingsDialog.h"

namespace {

void tell(QWidget* parent, const std::string& message) {
    MessageBoxes::instance().inform(parent, QString::fromStdString(message),
                                    MessageBoxes::Icon::Information, QStringLiteral("提示"));
}

} // namespace

OrderReceipts::OrderReceipts(Database& db, Clock& clock, QWidget* window,
                             std::function<ReceiptOrder()> receipt)
    : m_db(db), m_clock(clock), m_window(window), m_receipt(std::move(receipt)) {}

bool OrderReceipts::print(bool withCopies, bool settling) {
    // Only settling a new order may open the cash drawer.
    return ReceiptPrinter(m_db, m_window).printReceipt(m_receipt(), withCopies, settling);
}

bool OrderReceipts::settle(const OrderDraft& draft, const std::function<void()>& whenStored) {
    const auto result = Settlement(m_db, m_clock).settle(draft, [&](bool withCopies) {
        whenStored();
        return print(withCopies, true);
    });
    switch (result.outcome) {
    case Settlement::Outcome::Done:
        return true;
    case Settlement::Outcome::NotPrinted:
        return false; // stored; the order stays on screen for F11 or F10
    case Settlement::Outcome::NoDishes:
    case Settlement::Outcome::NotStored:
        tell(m_window, result.message);
        return false;
    }
    return false;
}

void OrderReceipts::printOnly(const OrderDraft& draft) {
    const auto result = Settlement(m_db, m_clock).printOnly(draft, [this](bool withCopies) {
        return print(withCopies);
    });
    if (result.outcome == Settlement::Outcome::NoDishes)
        tell(m_window, result.message);
}

void OrderReceipts::togglePreview() {
    if (m_preview && !m_preview->isHidden())
        m_preview->close();
    else
        openPreview();
}

void OrderReceipts::openPreview() {
    if (!m_preview || m_preview->isHidden())
        m_preview = new PreviewWindow(m_db, m_window, m_receipt);
    m_preview->show();
    m_preview->raise();
}

void OrderReceipts::refreshPreview() {
    if (m_preview && !m_preview->isHidden())
        m_preview->renderPreview();
}

void OrderReceipts::followWindow() {
    if (m_preview)
        m_preview->followOrderWindow();
}

void OrderReceipts::openPrintSettings() {
    openPreview();
    ReceiptSettingsDialog dialog(m_db, m_window);
    QObject::connect(&dialog, &ReceiptSettingsDialog::settingsApplied, m_window,
                     [this] { refreshPreview(); });
    dialog.exec();
}
