#pragma once
#include "history/HistoryFilter.h"
#include "history/PagedList.h"

#include <QDialog>
#include <functional>

class Clock;
class Database;
class ListStatusBar;
class PagedListPanel;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class TillBox;

// "历史订单": the stored orders a page at a time, with filters, deletion and
// the hand-off of one order to the main window for editing.
class HistoryWindow : public QDialog {
    Q_OBJECT
  public:
    // Takes the order into the main window; false when the cashier kept what
    // was on screen there. owner is the window that asks the questions.
    using EditHandler =
        std::function<bool(QWidget* owner, const QString& idText, const QString& dateText)>;

    // customerTelephone: set when the customer window opens its customer's orders.
    HistoryWindow(Database& db, PagedList& orders, const Clock& clock, QWidget* parent = nullptr,
                  const std::optional<QString>& customerTelephone = std::nullopt);

    void setEditHandler(EditHandler handler) { m_editHandler = std::move(handler); }
    // Sends the kitchen tickets of stored order idText again.
    using KitchenHandler = std::function<void(QWidget* owner, const QString& idText)>;
    // Without one the window offers no "补打厨房单".
    void setKitchenHandler(KitchenHandler handler);

    // The filter, for the orders of the till chosen in "收银台".
    void applyFilter(const HistoryFilter& filter);
    void chooseDay();
    void choosePeriod();
    void chooseCustomer();
    void editOrder();
    void reprintKitchenTickets(); // "补打厨房单"
    void deleteOrder();
    // Every order of the current filter, all pages, to a file the user names.
    void exportOrders();
    // The list's context menu for the selected row; nullptr when none is selected.
    QMenu* contextMenu();

    PagedListPanel* panel() const { return m_panel; }
    QString statusCaption() const;

    void done(int result) override;

  protected:
  private:
    QWidget* buildButtons();
    QWidget* buildCaptionRow();
    QMenuBar* buildMenu();
    void showStatus(const PagedList::Page& page);
    void openedFromCustomerWindow(const QString& telephone);

    Database& m_db;
    PagedList& m_orders;
    const Clock& m_clock;
    PagedListPanel* m_panel;
    QLabel* m_caption;
    TillBox* m_tills = nullptr;
    HistoryFilter m_filter = HistoryFilter::all(); // without the till
    ListStatusBar* m_status = nullptr;
    QMenu* m_filterMenu = nullptr;
    QPushButton* m_browseAll = nullptr;
    EditHandler m_editHandler;
    KitchenHandler m_kitchenHandler;
    QPushButton* m_kitchenButton = nullptr;
};
