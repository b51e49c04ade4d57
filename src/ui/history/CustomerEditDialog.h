#pragma once
#include "catalogue/CustomerFile.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// "客户添加" and "客户修改": telephone, name and address with one button.
class CustomerEditDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Mode { Add, Modify };

    CustomerEditDialog(Mode mode, QWidget* parent = nullptr);

    Mode mode() const { return m_mode; }
    Customer typed() const;
    void setFields(const Customer& customer);
    void clearFields();
    QPushButton* saveButton() const { return m_save; }

  signals:
    void saveRequested();

  private:
    QLineEdit* field(const QString& name, const QString& caption);

    Mode m_mode;
    QLineEdit* m_telephone;
    QLineEdit* m_name;
    QLineEdit* m_address;
    QPushButton* m_save;
};
