#pragma once
#include "catalogue/SoldOut.h"

#include <QDialog>

class Database;
class QSpinBox;
class QTreeWidget;

// "估清": every dish of the catalogue with today's mark; the selected one is
// marked sold out, given how many are left, or sold as usual again.
class SoldOutDialog : public QDialog {
    Q_OBJECT
  public:
    // `dish` is selected first when it is listed.
    SoldOutDialog(Database& db, const QString& dish, QWidget* parent);

  private:
    void load(const QString& selected);
    // Sets the selected dish's mark: nothing for none, 0 for sold out.
    void apply(std::optional<int> left);
    QString selectedDish() const;

    Database& m_db;
    SoldOut m_soldOut;
    DateTime m_day;
    QTreeWidget* m_list = nullptr;
    QSpinBox* m_left = nullptr;
};
