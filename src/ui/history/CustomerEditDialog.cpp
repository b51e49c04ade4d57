#include "ui/history/CustomerEditDialog.h"
#include "ui/common/ColumnLimits.h"
#include "ui/common/ListControls.h"
#include "ui/common/NameField.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

using ListControls::nameControl;

CustomerEditDialog::CustomerEditDialog(Mode mode, QWidget* parent)
    : QDialog(parent), m_mode(mode), m_telephone(field("编辑框_客户电话", "客户电话：")),
      m_name(field("编辑框_客户姓名", "客户姓名：")),
      m_address(field("编辑框_客户地址", "客户地址：")),
      m_save(new QPushButton(mode == Mode::Add ? "保存" : "修改", this)) {
    setWindowTitle(mode == Mode::Add ? "客户添加" : "客户修改");
    nameControl(m_save, "按钮_保存", m_save->text());
    m_save->setDefault(true);
    m_address->setMinimumWidth(320);
    NameField::keepControlCharactersOut(m_name);
    ColumnLimits::apply(m_telephone, "客户", "电话");
    ColumnLimits::apply(m_name, "客户", "姓名");
    ColumnLimits::apply(m_address, "客户", "地址");
    connect(m_save, &QPushButton::clicked, this, &CustomerEditDialog::saveRequested);

    auto* layout = new QFormLayout(this);
    layout->addRow("客户电话：", m_telephone);
    layout->addRow("客户姓名：", m_name);
    layout->addRow("客户地址：", m_address);
    layout->addRow(m_save);
}

QLineEdit* CustomerEditDialog::field(const QString& name, const QString& caption) {
    auto* edit = new QLineEdit(this);
    nameControl(edit, name, caption);
    return edit;
}

Customer CustomerEditDialog::typed() const {
    return {{},
            m_telephone->text().toStdString(),
            m_name->text().toStdString(),
            m_address->text().toStdString()};
}

void CustomerEditDialog::setFields(const Customer& customer) {
    m_telephone->setText(QString::fromStdString(customer.telephone));
    m_name->setText(QString::fromStdString(customer.name));
    m_address->setText(QString::fromStdString(customer.address));
    m_name->setFocus();
    m_name->end(false);
}

void CustomerEditDialog::clearFields() {
    m_telephone->clear();
    m_name->clear();
    m_address->clear();
}
