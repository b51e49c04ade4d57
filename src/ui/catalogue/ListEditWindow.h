#pragma once
#include "catalogue/ListOutcome.h"
#include "catalogue/ListRows.h"

#include <QDialog>

class Database;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// A window that adds a row to a list window's list, or modifies its selected
// row: how either ends, whatever the row holds.
class ListEditWindow : public QDialog {
  public:
    enum class Mode { Add, Modify };

  protected:
    ListEditWindow(QWidget* parent, Database& db, QTreeWidget* list, Mode mode,
                   const QString& title);

    void showEvent(QShowEvent* event) override;
    // "添加" or "保存", as the mode asks; the window's default button.
    QPushButton* confirmButton();
    // Tells the cashier how it went and, once stored, shows the row in the
    // list; a modification then closes the window. True when a row was added,
    // so the fields can be cleared for the next one.
    bool added(const ListOutcome& outcome, const ListRow& row);

    Database& m_db;
    QTreeWidget* m_list;
    Mode m_mode;
    QLineEdit* m_code = nullptr;
};
