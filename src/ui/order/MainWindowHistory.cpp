// The order history, the customer file and the owner's windows opened from the
// order window, and the editing of a stored order taken from the history.
#include "ui/order/MainWindow.h"

#include "history/ManagerPassword.h"
#include "history/PagedList.h"
#include "orders/OrderEditor.h"
#include "orders/Settlement.h"
#include "ui/common/ManagerCheck.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/PopupComboBox.h"
#include "ui/history/ChangeLogWindow.h"
#include "ui/history/CustomerWindow.h"
#include "ui/history/HistoryWindow.h"
#include "ui/history/ManagerPasswordDialog.h"
#include "ui/order/AmountQuestion.h"

#include <QComboBox>
#include <QPushButton>

void MainWindow::openOrderHistory() {
    HistoryWindow window(m_db, PagedList::orderHistory(), m_clock, this);
    window.setEditHandler([this](QWidget* owner, const QString& id, const QString& date) {
        return editStoredOrder(owner, id, date);
    });
    window.exec();
}

void MainWindow::openCustomers() {
    CustomerWindow window(m_db, PagedList::customerFile(), PagedList::orderHistory(), m_clock,
                          this);
    window.setEditHandler([this](QWidget* owner, const QString& id, const QString& date) {
        return editStoredOrder(owner, id, date);
    });
    window.exec();
}

void MainWindow::openChangeLog() {
    ChangeLogWindow(m_db, m_clock, this).exec();
}

void MainWindow::openManagerPassword() {
    ManagerPasswordDialog(m_db, this).exec();
}

bool MainWindow::editStoredOrder(QWidget* owner, const QString& idText, const QString& dateText) {
    const OrderEditor editor(m_db);
    const std::optional<StoredOrder> stored = editor.loadOrder(idText.toStdString());
    if (!stored) {
        MessageBoxes::instance().inform(owner, QString::fromStdString(editor.loadFailure()));
        return false;
    }
    if (!ManagerCheck::passes(owner, m_db, ManagerPassword::editRefused))
        return false;
    if (orderHasContent() &&
        !MessageBoxes::instance().ask(owner, OrderEditor::clearQuestion, MessageBoxes::Icon::None,
                                      QStringLiteral("提示")))
        return false;
    clearOrder();
    setEditingStoredOrder(true);
    // Every stored value is shown as stored, listed or not, so that saving
    // without a change writes back what was there.
    loadOrderDraft(OrderEditor::loadedDraft(
        orderDraft(), *stored, editor.loadLines(idText.toStdString(), dateText.toStdString()),
        m_timeFormat));
    refreshPreview();
    return true;
}

void MainWindow::saveEditedOrder() {
    const OrderDraft order = orderDraft();
    if (Settlement::hasDishes(order) && !AmountQuestion::goOn(this, m_form, order))
        return;
    const OrderEditor::Result result = OrderEditor(m_db).saveEditedOrder(order);
    const QString message = QString::fromStdString(result.message);
    switch (result.outcome) {
    case OrderEditor::Outcome::NoLines:
        MessageBoxes::instance().inform(this, message, MessageBoxes::Icon::Information,
                                        QStringLiteral("提示"));
        return;
    case OrderEditor::Outcome::Failed:
        MessageBoxes::instance().inform(this, message, MessageBoxes::Icon::Warning);
        return;
    case OrderEditor::Outcome::Saved:
        break;
    }
    // A receipt that did not print leaves the order on screen, still in edit mode.
    if (MessageBoxes::instance().ask(this, message) && !printRecorded(true))
        return;
    clearOrder();
}
