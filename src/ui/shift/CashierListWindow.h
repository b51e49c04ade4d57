#pragma once
#include <QDialog>

class Database;
class QComboBox;

// "收银员设置": the cashier list as the other lists are kept, an editable
// drop-down with "保存" and "删除"; saving asks for an optional PIN.
class CashierListWindow : public QDialog {
    Q_OBJECT
  public:
    CashierListWindow(Database& db, QWidget* parent);

  private:
    void addCashier();
    void removeCashier();
    void reload();
    void tell(const std::string& message, bool failed);

    Database& m_db;
    QComboBox* m_box;
};
