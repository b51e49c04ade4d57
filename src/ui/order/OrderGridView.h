#pragma once
#include "orders/OrderGrid.h"

#include <QStringList>
#include <QTableWidget>

// The order grid control: shows an OrderGrid (its header row as the table's
// header) and reports finished cell edits, the Delete key and right clicks.
// The dish-name column edits with a drop-down of every catalogue dish, the
// quantity and subtotal columns take numbers only.
class OrderGridView : public QTableWidget {
    Q_OBJECT
  public:
    explicit OrderGridView(QWidget* parent = nullptr);

    OrderGrid grid() const;
    void setGrid(const OrderGrid& grid);
    void setDishNames(const QStringList& names);
    const QStringList& dishNames() const { return m_dishNames; }

    // Grid row and column of the current cell (row 0 is the header).
    int currentGridRow() const { return currentRow() + 1; }
    void setCurrentGridCell(int gridRow, int column);

  signals:
    void cellEdited(int gridRow, int column);
    void deletePressed();
    void contextMenuWanted(const QPoint& globalPos);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void onItemChanged(QTableWidgetItem* item);
    void resetBackgrounds();
    QStringList m_dishNames;
};
