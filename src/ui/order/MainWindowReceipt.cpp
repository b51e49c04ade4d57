// Settlement, printing and the receipt preview of the order window.
#include "ui/order/MainWindow.h"

#include "orders/OrderReceipt.h"
#include "orders/RecordedPrint.h"
#include "orders/Settlement.h"
#include "ui/common/MessageBoxes.h"
#include "ui/order/AmountQuestion.h"
#include "ui/receipt/PreviewWindow.h"
#include "ui/receipt/ReceiptPrinter.h"
#include "ui/receipt/ReceiptSettingsDialog.h"

namespace {

void tell(QWidget* parent, const std::string& message) {
    MessageBoxes::instance().inform(parent, QString::fromStdString(message),
                                    MessageBoxes::Icon::Information, QStringLiteral("提示"));
}

} // namespace

bool MainWindow::printCurrentOrder(bool withCopies, bool settling,
                                   const std::function<bool()>& startJob) {
    return ReceiptPrinter(m_db, this)
        .printReceipt(receiptOrderOf(orderDraft()), withCopies, settling, startJob);
}

bool MainWindow::printRecorded(bool withCopies) {
    const RecordedPrint::Result result =
        RecordedPrint(m_db).print(orderDraft(), [this, withCopies](const auto& startJob) {
            return printCurrentOrder(withCopies, false, startJob);
        });
    if (result.outcome == RecordedPrint::Outcome::NotRecorded)
        MessageBoxes::instance().inform(this, QString::fromStdString(result.message),
                                        MessageBoxes::Icon::Warning);
    return result.outcome == RecordedPrint::Outcome::Printed;
}

void MainWindow::settleOrder() {
    // A stored order waiting for its receipt hides the button; storing it
    // again would count it twice. F11 reprints it, F10 clears it.
    if (isEditingStoredOrder() || m_form.settleButton->isHidden())
        return;
    const OrderDraft order = orderDraft();
    if (Settlement::hasDishes(order) && !AmountQuestion::goOn(this, m_form, order))
        return;
    Settlement settlement(m_db, m_clock);
    const auto result = settlement.settle(order, [this](bool withCopies) {
        m_form.settleButton->hide();
        return printCurrentOrder(withCopies, true);
    });
    switch (result.outcome) {
    case Settlement::Outcome::Done:
        clearOrder();
        break;
    case Settlement::Outcome::NotPrinted:
        // Stored; the order stays on screen for F11 or F10, and F11 now
        // prints a stored order again.
        m_form.orderId->setText(QString::number(result.orderId));
        m_form.notPrintedHint->show();
        break;
    case Settlement::Outcome::NoDishes:
    case Settlement::Outcome::NotStored:
        tell(this, result.message);
        break;
    }
}

void MainWindow::printOnly() {
    const OrderDraft order = orderDraft();
    if (Settlement::hasDishes(order) && !AmountQuestion::goOn(this, m_form, order))
        return;
    const auto result =
        Settlement(m_db, m_clock).printOnly(order, [this](const auto& startJob) {
            return printCurrentOrder(false, false, startJob);
        });
    if (result.outcome == Settlement::Outcome::NoDishes)
        tell(this, result.message);
    else if (result.outcome == Settlement::Outcome::NotStored)
        MessageBoxes::instance().inform(this, QString::fromStdString(result.message),
                                        MessageBoxes::Icon::Warning);
}

void MainWindow::togglePreview() {
    if (m_preview && !m_preview->isHidden())
        m_preview->close();
    else
        openPreview();
}

PreviewWindow* MainWindow::openPreview() {
    if (!m_preview || m_preview->isHidden())
        m_preview = new PreviewWindow(m_db, this, [this] { return receiptOrderOf(orderDraft()); });
    m_preview->show();
    m_preview->raise();
    return m_preview;
}

void MainWindow::refreshPreview() {
    if (m_preview && !m_preview->isHidden())
        m_preview->renderPreview();
}

void MainWindow::followMainWindow() {
    if (m_preview)
        m_preview->followOrderWindow();
}

void MainWindow::openPrintSettings() {
    openPreview();
    ReceiptSettingsDialog dialog(m_db, this);
    connect(&dialog, &ReceiptSettingsDialog::settingsApplied, this, &MainWindow::refreshPreview);
    dialog.exec();
}
