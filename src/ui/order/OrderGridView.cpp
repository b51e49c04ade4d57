#include "ui/order/OrderGridView.h"

#include "ui/common/ColumnLimits.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace {

// Picks a dish name from the catalogue or takes a typed one.
class DishNameDelegate : public QStyledItemDelegate {
  public:
    explicit DishNameDelegate(OrderGridView* view) : QStyledItemDelegate(view), m_view(view) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* box = new QComboBox(parent);
        box->setEditable(true);
        box->addItems(m_view->dishNames());
        ColumnLimits::apply(box, "存单详单", "菜名");
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QComboBox*>(editor)->setCurrentText(index.data().toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        model->setData(index, static_cast<QComboBox*>(editor)->currentText());
    }

  private:
    const OrderGridView* m_view;
};

// Quantity and subtotal cells take only the numbers their columns keep.
class NumberDelegate : public QStyledItemDelegate {
  public:
    NumberDelegate(QObject* parent, const char* column)
        : QStyledItemDelegate(parent), m_column(column) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* edit = new QLineEdit(parent);
        ColumnLimits::apply(edit, "存单详单", m_column);
        return edit;
    }

  private:
    const char* m_column;
};

} // namespace

OrderGridView::OrderGridView(QWidget* parent) : QTableWidget(parent) {
    setColumnCount(OrderGrid::ColumnCount);
    const OrderLine header = OrderGrid().row(0);
    setHorizontalHeaderLabels(
        {QString::fromStdString(header.dishName), QString::fromStdString(header.quantity),
         QString::fromStdString(header.unit), QString::fromStdString(header.subtotal)});
    verticalHeader()->setDefaultSectionSize(30);
    horizontalHeader()->setSectionResizeMode(OrderGrid::Name, QHeaderView::Stretch);
    horizontalHeader()->setMinimumSectionSize(40);
    setColumnWidth(OrderGrid::Quantity, 64);
    setColumnWidth(OrderGrid::Unit, 56);
    setColumnWidth(OrderGrid::Subtotal, 80);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setItemDelegateForColumn(OrderGrid::Name, new DishNameDelegate(this));
    setItemDelegateForColumn(OrderGrid::Quantity, new NumberDelegate(this, "数量"));
    setItemDelegateForColumn(OrderGrid::Subtotal, new NumberDelegate(this, "小计"));
    setGrid(OrderGrid());
    connect(this, &QTableWidget::itemChanged, this, &OrderGridView::onItemChanged);
    connect(this, &QTableWidget::cellClicked, this, [this] { resetBackgrounds(); });
}

OrderGrid OrderGridView::grid() const {
    std::vector<OrderLine> lines;
    for (int r = 0; r < rowCount(); ++r) {
        auto text = [&](int c) {
            const QTableWidgetItem* cell = item(r, c);
            return cell ? cell->text().toStdString() : std::string();
        };
        lines.push_back({text(0), text(1), text(2), text(3)});
    }
    return OrderGrid::fromLines(lines);
}

void OrderGridView::setGrid(const OrderGrid& grid) {
    const QSignalBlocker blocker(this);
    setRowCount(grid.rowCount() - 1);
    for (int r = 1; r < grid.rowCount(); ++r) {
        for (int c = 0; c < OrderGrid::ColumnCount; ++c) {
            QTableWidgetItem* cell = item(r - 1, c);
            if (!cell) {
                cell = new QTableWidgetItem;
                setItem(r - 1, c, cell);
            }
            const QString text = QString::fromStdString(grid.cell(r, c));
            if (cell->text() != text)
                cell->setText(text);
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (grid.isEditable(r, c))
                flags |= Qt::ItemIsEditable;
            cell->setFlags(flags);
            if (c == OrderGrid::Quantity || c == OrderGrid::Subtotal)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }
}

void OrderGridView::setDishNames(const QStringList& names) {
    m_dishNames = names;
}

void OrderGridView::setCurrentGridCell(int gridRow, int column) {
    setCurrentCell(gridRow - 1, column);
}

void OrderGridView::onItemChanged(QTableWidgetItem* item) {
    emit cellEdited(item->row() + 1, item->column());
}

void OrderGridView::resetBackgrounds() {
    const QSignalBlocker blocker(this);
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            if (QTableWidgetItem* cell = item(r, c))
                cell->setBackground(Qt::white);
}

void OrderGridView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && state() != QAbstractItemView::EditingState) {
        emit deletePressed();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void OrderGridView::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuWanted(event->globalPos());
}
