#pragma once
#include <QDialog>
#include <optional>
#include <string>
#include <vector>

class Database;
class QComboBox;
class QLineEdit;

// "谁在收银": who is at the till, chosen from the cashier list, with the
// cashier's PIN where one is set.
class CashierDialog : public QDialog {
    Q_OBJECT
  public:
    CashierDialog(Database& db, const std::vector<std::string>& names, QWidget* parent);

    // The cashier now at the till: empty where the shop keeps no list, none
    // when the list could not be read (the cashier was told) or the
    // question was cancelled.
    static std::optional<std::string> ask(Database& db, QWidget* parent);

    std::string chosen() const;

  private:
    void confirm();

    Database& m_db;
    QComboBox* m_names;
    QLineEdit* m_pin;
};
