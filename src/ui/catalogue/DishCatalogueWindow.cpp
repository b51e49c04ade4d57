#include "ui/catalogue/DishCatalogueWindow.h"
#include "catalogue/DishCatalogue.h"
#include "ui/catalogue/DishEditWindow.h"
#include "ui/common/ListControls.h"

DishCatalogueWindow::DishCatalogueWindow(QWidget* parent, Database& db)
    : ListWindow(parent, db, QStringLiteral("菜单设置"), QStringLiteral("菜单"),
                 {{QStringLiteral("数字代号"), 90},
                  {QStringLiteral("字母代号"), 80},
                  {QStringLiteral("菜名"), 130},
                  {QStringLiteral("价格"), 100},
                  {QStringLiteral("单位"), 50}},
                 QStringLiteral("添加 ")) {
    loadDishList();
}

void DishCatalogueWindow::loadDishList() {
    ListControls::setRows(m_list, DishCatalogue(m_db).loadDishList());
}

std::unique_ptr<QDialog> DishCatalogueWindow::makeEditWindow(bool modify) {
    return std::make_unique<DishEditWindow>(
        this, m_db, m_list, modify ? DishEditWindow::Mode::Modify : DishEditWindow::Mode::Add);
}

std::string DishCatalogueWindow::deleteQuestion(const ListRow& row) const {
    return DishCatalogue::deleteQuestion(row);
}

bool DishCatalogueWindow::deleteRow(const ListRow& row) {
    return DishCatalogue(m_db).deleteDish(row);
}
