#include "ui/catalogue/TableListWindow.h"
#include "catalogue/TableList.h"
#include "ui/catalogue/TableEditWindow.h"
#include "ui/common/ListControls.h"

TableListWindow::TableListWindow(QWidget* parent, Database& db)
    : ListWindow(parent, db, QStringLiteral("桌号设置"), QStringLiteral("桌号"),
                 {{QStringLiteral("数字代号"), 90}, {QStringLiteral("桌号"), 150}},
                 QStringLiteral("添加")) {
    load();
}

void TableListWindow::load() {
    showRows(TableList(m_db).load());
}

std::unique_ptr<QDialog> TableListWindow::makeEditWindow(bool modify) {
    return editWindow<TableEditWindow>(modify);
}

std::string TableListWindow::deleteQuestion(const ListRow& row) const {
    return TableList::deleteQuestion(row);
}

bool TableListWindow::deleteRow(const ListRow& row) {
    return TableList(m_db).remove(row);
}
