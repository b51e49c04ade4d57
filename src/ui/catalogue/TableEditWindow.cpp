#include "ui/catalogue/TableEditWindow.h"
#include "catalogue/TableList.h"
#include "ui/common/ColumnLimits.h"
#include "ui/common/ListControls.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/NameField.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

using ListControls::nameControl;

TableEditWindow::TableEditWindow(QWidget* parent, Database& db, QTreeWidget* tableList, Mode mode)
    : QDialog(parent), m_db(db), m_list(tableList), m_mode(mode), m_code(new QLineEdit(this)),
      m_name(new QLineEdit(this)) {
    const bool adding = mode == Mode::Add;
    const QString title = adding ? QStringLiteral("桌号添加") : QStringLiteral("桌号修改");
    setWindowTitle(title);
    setObjectName(title);
    nameControl(m_code, QStringLiteral("编辑框_数字代号"), QStringLiteral("数字代号"));
    nameControl(m_name, QStringLiteral("编辑框_桌号名称"), QStringLiteral("桌号名称"));
    NameField::keepControlCharactersOut(m_name);
    ColumnLimits::apply(m_code, "桌号", "代号");
    ColumnLimits::apply(m_name, "桌号", "桌号名称");
    auto* confirm = new QPushButton(adding ? QStringLiteral("添加") : QStringLiteral("保存"), this);
    nameControl(confirm, adding ? QStringLiteral("按钮_添加") : QStringLiteral("按钮_保存"),
                confirm->text());
    confirm->setDefault(true);
    connect(confirm, &QPushButton::clicked, this, &TableEditWindow::save);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("数字代号："), m_code);
    form->addRow(QStringLiteral("桌号名称："), m_name);
    form->addRow(confirm);
    setMinimumWidth(280);
    if (adding)
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
    auto& boxes = MessageBoxes::instance();
    if (outcome.kind == ListOutcome::Kind::Failed) {
        if (!outcome.message.empty())
            boxes.inform(this, QString::fromStdString(outcome.message),
                         MessageBoxes::Icon::Warning);
        return;
    }
    if (outcome.kind == ListOutcome::Kind::Refused) {
        // A duplicate shows the row it duplicates; any other refusal leaves
        // the list as the cashier left it.
        if (m_mode == Mode::Add && outcome.row >= 0)
            ListControls::selectRow(m_list, outcome.row);
        boxes.inform(this, QString::fromStdString(outcome.message));
        return;
    }
    ListControls::setRow(m_list, outcome.row, TableList::toRow(code, name));
    ListControls::selectRow(m_list, outcome.row);
    if (m_mode == Mode::Modify) {
        accept();
        boxes.inform(parentWidget(), QString::fromStdString(outcome.message),
                     MessageBoxes::Icon::None);
        return;
    }
    boxes.inform(this, QString::fromStdString(outcome.message), MessageBoxes::Icon::None);
    m_code->clear();
    m_name->clear();
    m_code->setFocus();
}

void TableEditWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_mode == Mode::Add)
        return;
    // After the window took focus, which would select the whole code.
    QTimer::singleShot(0, m_code, [code = m_code] {
        code->setFocus();
        code->deselect();
        code->end(false);
    });
}
