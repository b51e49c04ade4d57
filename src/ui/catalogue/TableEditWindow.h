#pragma once
#include "ui/catalogue/ListEditWindow.h"

// "桌号添加" and "桌号修改": code and name of a table, working on the table
// list window's list.
class TableEditWindow : public ListEditWindow {
    Q_OBJECT
  public:
    // Modify takes the table of the list's selected row.
    TableEditWindow(QWidget* parent, Database& db, QTreeWidget* tableList, Mode mode);

  private:
    void save();

    QLineEdit* m_name;
};
