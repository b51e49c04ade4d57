#pragma once
#include "history/PagedList.h"
#include "ui/history/HistoryWindow.h"

#include <QDialog>
#include <memory>

class Clock;
class CustomerEditDialog;
class Database;
class PagedListPanel;
class QLabel;
class QLineEdit;
class QMenu;
struct Customer;

// "客户设置": the customer file a page at a time, with search, add, modify,
// delete and the orders of one customer.
class CustomerWindow : public QDialog {
    Q_OBJECT
  public:
    CustomerWindow(Database& db, PagedList& customers, PagedList& orders, const Clock& clock,
                   QWidget* parent = nullptr);

    // Passed on to the order history opened from here.
    void setEditHandler(HistoryWindow::EditHandler handler) { m_editHandler = std::move(handler); }

    void search();
    void browseAll();
    void deleteCustomer();
    // The add and modify windows, wired to this list; the modify window is
    // empty (nullptr) when no row is selected.
    std::unique_ptr<CustomerEditDialog> addDialog();
    std::unique_ptr<CustomerEditDialog> modifyDialog();
    // The order history filtered to the selected customer.
    std::unique_ptr<HistoryWindow> historyDialog();
    QMenu* contextMenu();

    PagedListPanel* panel() const { return m_panel; }

  protected:
  private:
    QWidget* buildSearchRow();
    QWidget* buildButtons();
    void save(CustomerEditDialog& dialog);
    void showUpdated(const Customer& customer);
    void openModal(std::unique_ptr<QDialog> dialog);
    Customer selectedCustomer() const;

    Database& m_db;
    PagedList& m_orders;
    const Clock& m_clock;
    PagedListPanel* m_panel;
    QLineEdit* m_searchField = nullptr;
    QLabel* m_status = nullptr;
    HistoryWindow::EditHandler m_editHandler;
};
