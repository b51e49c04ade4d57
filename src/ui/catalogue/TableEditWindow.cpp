#include "ui/catalogue/TableEditWindow.h"
#include "catalogue/TableList.h"
#include "ui/common/ColumnLimits.h"
#include "ui/common/ListControls.h"
#include "ui/common/NameField.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

using ListControls::nameControl;

TableEditWindow::TableEditWindow(QWidget* parent, Database& db, QTreeWidget* tableList, Mode mode)
    : ListEditWindow(parent, db, tableList, mode,
                     mode == Mode::Add ? QStringLiteral("桌号添加") : QStringLiteral("桌号修改")) {
    m_code = new QLineEdit(this);
    m_name = new QLineEdit(this);
    nameControl(m_code, QStringLiteral("编辑框_数字代号"), QStringLiteral("数字代号"));
    nameControl(m_name, QStringLiteral("编辑框_桌号名称"), QStringLiteral("桌号名称"));
    NameField::keepControlCharactersOut(m_name);
    ColumnLimits::apply(m_code, "桌号", "代号");
    ColumnLimits::apply(m_name, "桌号", "桌号名称");
    QPushButton* confirm = confirmButton();
    connect(confirm, &QPushButton::clicked, this, &TableEditWindow::save);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("数字代号："), m_code);
    form->addRow(QStringLiteral("桌号名称："), m_name);
    form->addRow(confirm);
    setMinimumWidth(280);
    if (mode == Mode::Add)
        return;
    const ListRow row = ListControls::rowOf(m_list, ListControls::selectedRow(m_list));
    if (row.size() > TableList::Name) {
        m_code->setText(QString::fromStdString(row[TableList::Code]));
        m_name->setText(QString::fromStdString(row[TableList::Name]));
    }
}

void TableEditWindow::save() {
    const std::string code = m_code->text().toStdString();
    const std::string name = m_name->text().toStdString();
    const ListRows shown = ListControls::rowsOf(m_list);
    TableList tables(m_db);
    const ListOutcome outcome =
        m_mode == Mode::Add ? tables.add(code, name, shown) : tables.modify(code, name, shown);
    if (!added(outcome, TableList::toRow(code, name)))
        return;
    m_code->clear();
    m_name->clear();
    m_code->setFocus();
}
