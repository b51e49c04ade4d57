#pragma once
#include "catalogue/ListRows.h"
#include "storage/engine/ReadResult.h"

#include <QDialog>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class Database;
class QHBoxLayout;
class QPushButton;
class QTreeWidget;

// A maintenance window around one list: buttons add, modify and delete, the
// context menu, the Delete key and a double click. The list is the window's
// working copy of its table.
class ListWindow : public QDialog {
    Q_OBJECT
  public:
    void deleteSelected();
    void openAddWindow();
    void openModifyWindow();

  protected:
    ListWindow(QWidget* parent, Database& db, const QString& title, const QString& listCaption,
               const std::vector<std::pair<QString, int>>& columns, const QString& addText);

    virtual std::unique_ptr<QDialog> makeEditWindow(bool modify) = 0;
    // The add or modify window of one of this list's records.
    template <typename EditWindow> std::unique_ptr<QDialog> editWindow(bool modify) {
        return std::make_unique<EditWindow>(
            this, m_db, m_list, modify ? EditWindow::Mode::Modify : EditWindow::Mode::Add);
    }
    virtual std::string deleteQuestion(const ListRow& row) const = 0;
    virtual bool deleteRow(const ListRow& row) = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;
    // A button at the left end of the button row, away from add, modify and delete.
    QPushButton* addLeadingButton(const QString& name, const QString& text);
    // The rows as read; a list that could not be read is shown empty, says
    // why, and takes no additions, whose checks against duplicates need it.
    void showRows(const ReadResult<ListRows>& rows);

    Database& m_db;
    QTreeWidget* m_list;

  private:
    void showContextMenu(const QPoint& at);

    QHBoxLayout* m_buttons;
    int m_leadingButtons = 0;
    QString m_readFailure; // why the list could not be read; empty once it was
};
