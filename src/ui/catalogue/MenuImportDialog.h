#pragma once
#include "spreadsheet/MenuImport.h"

#include <QDialog>

class QTableWidget;

// "导入菜单": what an imported menu would add, change, leave alone and
// refuse, row by row, before anything is stored. Accepted means import.
class MenuImportDialog : public QDialog {
    Q_OBJECT
  public:
    MenuImportDialog(const MenuImport::Preview& preview, QWidget* parent = nullptr);

    QTableWidget* table() const { return m_table; }
    static QString kindText(MenuImport::Kind kind);

  private:
    QTableWidget* m_table;
};
