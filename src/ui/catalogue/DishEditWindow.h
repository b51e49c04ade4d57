#pragma once
#include "ui/catalogue/ListEditWindow.h"

class QComboBox;
struct DishInput;

// "项目或菜品添加" and "项目或菜品修改": the fields of a dish and its kitchen
// station, working on the catalogue window's list.
class DishEditWindow : public ListEditWindow {
    Q_OBJECT
  public:
    // Modify takes the dish of the list's selected row.
    DishEditWindow(QWidget* parent, Database& db, QTreeWidget* catalogueList, Mode mode);

  private:
    QLineEdit* addField(const QString& name, const QString& caption);
    DishInput dishOnScreen() const;
    void addDish();
    void modifyDish();
    void openUnits();
    void tellUnread(const QString& failure);
    void reselectUnit();

    QLineEdit* m_letters;
    QLineEdit* m_name;
    QLineEdit* m_price;
    QComboBox* m_unit;
    QComboBox* m_station;
};
