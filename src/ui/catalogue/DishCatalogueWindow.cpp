#include "ui/catalogue/DishCatalogueWindow.h"
#include "catalogue/DishCatalogue.h"
#include "spreadsheet/MenuFile.h"
#include "spreadsheet/MenuImport.h"
#include "ui/catalogue/DishEditWindow.h"
#include "ui/catalogue/MenuImportDialog.h"
#include "ui/catalogue/SoldOutDialog.h"
#include "ui/common/ExportMessages.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/ListControls.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/TaskProgress.h"

#include <QPushButton>

DishCatalogueWindow::DishCatalogueWindow(QWidget* parent, Database& db)
    : ListWindow(parent, db, QStringLiteral("菜单设置"), QStringLiteral("菜单"),
                 {{QStringLiteral("数字代号"), 90},
                  {QStringLiteral("字母代号"), 80},
                  {QStringLiteral("菜名"), 130},
                  {QStringLiteral("价格"), 100},
                  {QStringLiteral("单位"), 50}},
                 QStringLiteral("添加 ")) {
    connect(addLeadingButton(QStringLiteral("按钮_导入菜单"), QStringLiteral("导入菜单…")),
            &QPushButton::clicked, this, &DishCatalogueWindow::importMenu);
    connect(addLeadingButton(QStringLiteral("按钮_导出菜单"), QStringLiteral("导出菜单…")),
            &QPushButton::clicked, this, &DishCatalogueWindow::exportMenu);
    connect(addLeadingButton(QStringLiteral("按钮_估清"), QStringLiteral("估清…")),
            &QPushButton::clicked, this, [this] {
                const int selected = ListControls::selectedRow(m_list);
                const QString dish =
                    selected < 0
                        ? QString()
                        : QString::fromStdString(ListControls::rowOf(m_list, selected).at(3));
                SoldOutDialog(m_db, dish, this).exec();
            });
    loadDishList();
}

void DishCatalogueWindow::importMenu() {
    const QString path = FileDialogs::instance().openFile(this, QStringLiteral("导入菜单"),
                                                          FileDialogs::spreadsheetFilters()
                                                              << QStringLiteral("所有文件 (*)"));
    if (path.isEmpty())
        return;
    auto& boxes = MessageBoxes::instance();
    std::string problem;
    MenuImport import(m_db);
    MenuImport::Preview preview;
    std::optional<SheetTable> table;
    {
        TaskProgress progress(this, QStringLiteral("正在读取菜单……"), QStringLiteral("读取菜单"));
        table = MenuFile::read(path.toStdString(), problem);
        if (table)
            preview = import.preview(*table, progress.callback());
    }
    if (preview.cancelled)
        return;
    if (!table || !preview.problem.empty()) {
        boxes.inform(this, QString::fromStdString(table ? preview.problem : problem));
        return;
    }
    if (MenuImportDialog(preview, this).exec() != QDialog::Accepted)
        return;
    WriteResult result;
    {
        TaskProgress progress(this, QStringLiteral("正在导入菜单……"), QStringLiteral("导入菜单"));
        result = import.apply(preview, progress.callback());
    }
    if (result == WriteResult::Failed)
        boxes.inform(this, QStringLiteral("导入失败，菜单没有改动。"), MessageBoxes::Icon::Warning);
    if (result != WriteResult::Written)
        return;
    loadDishList();
    boxes.inform(this,
                 QStringLiteral("导入完成：新增%1项，修改%2项。")
                     .arg(preview.count(MenuImport::Kind::Add))
                     .arg(preview.count(MenuImport::Kind::Change)),
                 MessageBoxes::Icon::None);
}

void DishCatalogueWindow::exportMenu() {
    const QString path = FileDialogs::instance().saveFile(this, QStringLiteral("导出菜单"),
                                                          QStringLiteral("菜单.xlsx"),
                                                          FileDialogs::spreadsheetFilters());
    if (!path.isEmpty())
        ExportMessages::tell(this, MenuFile::write(m_db, path.toStdString()), path);
}

void DishCatalogueWindow::loadDishList() {
    showRows(DishCatalogue(m_db).loadDishList());
}

std::unique_ptr<QDialog> DishCatalogueWindow::makeEditWindow(bool modify) {
    return editWindow<DishEditWindow>(modify);
}

std::string DishCatalogueWindow::deleteQuestion(const ListRow& row) const {
    return DishCatalogue::deleteQuestion(row);
}

bool DishCatalogueWindow::deleteRow(const ListRow& row) {
    return DishCatalogue(m_db).deleteDish(row);
}
