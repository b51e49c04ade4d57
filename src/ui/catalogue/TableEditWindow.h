#pragma once
#include <QDialog>

class Database;
class QLineEdit;
class QTreeWidget;

// "桌号添加" and "桌号修改": code and name of a table, working on the table
// list window's list.
class TableEditWindow : public QDialog {
    Q_OBJECT
  public:
    enum class Mode { Add, Modify };

    // Modify takes the table of the list's selected row.
    TableEditWindow(QWidget* parent, Database& db, QTreeWidget* tableList, Mode mode);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void save();

    Database& m_db;
    QTreeWidget* m_list;
    Mode m_mode;
    QLineEdit* m_code;
    QLineEdit* m_name;
};
