#pragma once
#include <QDialog>

class Database;
class QComboBox;
class QLineEdit;
class QTreeWidget;

// "项目或菜品添加" and "项目或菜品修改": the five fields of a dish, working on
// the catalogue window's list.
class DishEditWindow : public QDialog {
    Q_OBJECT
  public:
    enum class Mode { Add, Modify };

    // Modify takes the dish of the list's selected row.
    DishEditWindow(QWidget* parent, Database& db, QTreeWidget* catalogueList, Mode mode);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QLineEdit* addField(const QString& name, const QString& caption);
    void addDish();
    void modifyDish();
    void openUnits();
    void reselectUnit();

    Database& m_db;
    QTreeWidget* m_list;
    Mode m_mode;
    QLineEdit* m_code;
    QLineEdit* m_letters;
    QLineEdit* m_name;
    QLineEdit* m_price;
    QComboBox* m_unit;
};
