#pragma once
#include "catalogue/SoldOut.h"

#include <QAbstractTableModel>
#include <vector>

class DishCache;
class QTreeView;

// The rows of the dish search result list: an unnamed first column, then
// code, letter code, name, price and unit. Rows point into the dish cache,
// so a refill costs no copying however many dishes match.
class DishResultModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Blank, Code, Letters, Name, Price, Unit, ColumnCount };

    explicit DishResultModel(const DishCache& dishes, QObject* parent = nullptr);

    // Shows the rows in the view: the blank column hidden, the others as wide
    // as their contents, the name taking the rest.
    void showIn(QTreeView* view);

    void setMatches(std::vector<int> dishIndices);
    // Today's sold-out marks, shown after the dish names.
    void setSoldOut(SoldOut::Marks marks);
    const SoldOut::Marks& soldOut() const { return m_soldOut; }
    void clear() { setMatches({}); }
    // The catalogue index of the dish on a row.
    int dishAt(int row) const { return m_matches.at(row); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const DishCache& m_dishes;
    std::vector<int> m_matches;
    SoldOut::Marks m_soldOut;
};
