#pragma once
#include "ui/catalogue/ListWindow.h"

// "桌号设置": the tables and number plates, with add, modify and delete.
class TableListWindow : public ListWindow {
    Q_OBJECT
  public:
    TableListWindow(QWidget* parent, Database& db);

    void load();

  protected:
    std::unique_ptr<QDialog> makeEditWindow(bool modify) override;
    std::string deleteQuestion(const ListRow& row) const override;
    bool deleteRow(const ListRow& row) override;
};
