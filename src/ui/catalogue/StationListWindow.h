#pragma once
#include "ui/catalogue/ListWindow.h"

// "出品部门设置": the kitchen's stations and their ticket printers, with add,
// modify and delete.
class StationListWindow : public ListWindow {
    Q_OBJECT
  public:
    StationListWindow(QWidget* parent, Database& db);

    void load();

  protected:
    std::unique_ptr<QDialog> makeEditWindow(bool modify) override;
    std::string deleteQuestion(const ListRow& row) const override;
    bool deleteRow(const ListRow& row) override;
};
