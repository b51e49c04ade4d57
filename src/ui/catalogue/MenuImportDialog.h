#pragma once
#include "spreadsheet/MenuImport.h"

#include <QDialog>

class QTableView;

// "导入菜单": what an imported menu would add, change, leave alone and
// refuse, row by row, before anything is stored. Accepted means import.
// The preview must outlive the dialog.
class MenuImportDialog : public QDialog {
    Q_OBJECT
  public:
    MenuImportDialog(const MenuImport::Preview& preview, QWidget* parent = nullptr);

    QTableView* table() const { return m_table; }

  private:
    QTableView* m_table;
};
