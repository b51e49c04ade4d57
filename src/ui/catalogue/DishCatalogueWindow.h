#pragma once
#include "ui/catalogue/ListWindow.h"

// "菜单设置": every dish of the catalogue, with add, modify and delete.
class DishCatalogueWindow : public ListWindow {
    Q_OBJECT
  public:
    DishCatalogueWindow(QWidget* parent, Database& db);

    void loadDishList();
    // A menu from a spreadsheet: previewed, then stored all at once.
    void importMenu();
    // The catalogue as a spreadsheet another shop can import.
    void exportMenu();

  protected:
    std::unique_ptr<QDialog> makeEditWindow(bool modify) override;
    std::string deleteQuestion(const ListRow& row) const override;
    bool deleteRow(const ListRow& row) override;
};
