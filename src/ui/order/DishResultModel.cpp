#include "ui/order/DishResultModel.h"

#include "orders/DishCache.h"

#include <QHeaderView>
#include <QTreeView>

DishResultModel::DishResultModel(const DishCache& dishes, QObject* parent)
    : QAbstractTableModel(parent), m_dishes(dishes) {}

void DishResultModel::showIn(QTreeView* view) {
    view->setModel(this);
    view->setColumnHidden(Blank, true);
    view->header()->setStretchLastSection(false);
    // Beside an 80 mm preview the list is narrow: the name, which the cashier
    // checks before Enter, gets what the short columns leave.
    for (Column column : {Code, Letters, Price, Unit})
        view->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    view->header()->setSectionResizeMode(Name, QHeaderView::Stretch);
}

void DishResultModel::setMatches(std::vector<int> dishIndices) {
    beginResetModel();
    m_matches = std::move(dishIndices);
    endResetModel();
}

int DishResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_matches.size());
}

void DishResultModel::setSoldOut(SoldOut::Marks marks) {
    m_soldOut = std::move(marks);
    if (!m_matches.empty())
        emit dataChanged(index(0, Name), index(rowCount() - 1, Name));
}

int DishResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DishResultModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const Dish& dish = m_dishes.dishes().at(m_matches.at(index.row()));
    switch (index.column()) {
    case Code:
        return QString::fromStdString(dish.code);
    case Letters:
        return QString::fromStdString(dish.letters);
    case Name: {
        const auto mark = m_soldOut.find(dish.name);
        return QString::fromStdString(mark == m_soldOut.end()
                                          ? dish.name
                                          : dish.name + "【" + SoldOut::label(mark->second) + "】");
    }
    case Price:
        return QString::fromStdString(dish.price);
    case Unit:
        return QString::fromStdString(dish.unit);
    default:
        return QString();
    }
}

QVariant DishResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const captions[] = {"", "数字代号", "字母代号", "菜名", "价格", "单位"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(captions[section])
                                                 : QVariant();
}
