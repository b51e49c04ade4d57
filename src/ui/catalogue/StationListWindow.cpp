#include "ui/catalogue/StationListWindow.h"
#include "catalogue/StationList.h"
#include "ui/catalogue/StationEditWindow.h"

StationListWindow::StationListWindow(QWidget* parent, Database& db)
    : ListWindow(parent, db, QStringLiteral("出品部门设置"), QStringLiteral("出品部门"),
                 {{QStringLiteral("名称"), 110},
                  {QStringLiteral("打印机连接"), 200},
                  {QStringLiteral("打印模式"), 70},
                  {QStringLiteral("份数"), 50},
                  {QStringLiteral("纸宽"), 50}},
                 QStringLiteral("添加")) {
    load();
}

void StationListWindow::load() {
    showRows(StationList(m_db).load());
}

std::unique_ptr<QDialog> StationListWindow::makeEditWindow(bool modify) {
    return editWindow<StationEditWindow>(modify);
}

std::string StationListWindow::deleteQuestion(const ListRow& row) const {
    const std::string& name = row.at(StationList::Name);
    const ReadResult<long long> dishes = StationList(m_db).dishCount(name);
    // Unread, the dishes may still be there: the question says what deleting does to them.
    return StationList::deleteQuestion(name, dishes ? *dishes : -1);
}

bool StationListWindow::deleteRow(const ListRow& row) {
    return StationList(m_db).remove(row.at(StationList::Name));
}
