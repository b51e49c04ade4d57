#include "ui/order/OrderReceipts.h"

#include "orders/RecordedPrint.h"
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

bool OrderReceipts::print(bool withCopies, bool settling, const std::function<bool()>& startJob) {
    return ReceiptPrinter(m_db, m_window).printReceipt(m_receipt(), withCopies, settling, startJob);
}

bool OrderReceipts::printRecorded(const OrderDraft& draft, bool withCopies) {
    const RecordedPrint::Result result =
        RecordedPrint(m_db).print(draft, [this, withCopies](const auto& startJob) {
            return print(withCopies, false, startJob);
        });
    if (result.outcome == RecordedPrint::Outcome::NotRecorded)
        MessageBoxes::instance().inform(m_window, QString::fromStdString(result.message),
                                        MessageBoxes::Icon::Warning);
    return result.outcome == RecordedPrint::Outcome::Printed;
}

Settlement::Result OrderReceipts::settle(const OrderDraft& draft,
                                         const std::function<void(const std::string&)>& whenStored) {
    Settlement settlement(m_db, m_clock);
    const auto result = settlement.settle(draft, [&](bool withCopies) {
        whenStored(settlement.storedNumber());
        return print(withCopies, true);
    });
    if (result.outcome == Settlement::Outcome::NoDishes ||
        result.outcome == Settlement::Outcome::NotStored)
        tell(m_window, result.message);
    return result;
}

void OrderReceipts::printOnly(const OrderDraft& draft) {
    const auto result = Settlement(m_db, m_clock).printOnly(draft, [this](const auto& startJob) {
        return print(false, false, startJob);
    });
    if (result.outcome == Settlement::Outcome::NoDishes)
        tell(m_window, result.message);
    else if (result.outcome == Settlement::Outcome::NotStored)
        MessageBoxes::instance().inform(m_window, QString::fromStdString(result.message),
                                        MessageBoxes::Icon::Warning);
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
