#include "ui/common/ListControls.h"
#include "catalogue/DropDownFill.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

namespace {

QString toQt(const std::string& text) {
    return QString::fromStdString(text);
}

// A fill that could not be read leaves the box as it was and says why.
QString applyFill(QComboBox* box, const ReadResult<DropDownFill>& read) {
    if (!read)
        return toQt(DropDownFill::failureMessage(read.readFailure()));
    const DropDownFill& fill = *read;
    const QSignalBlocker blocker(box);
    box->clear();
    for (const std::string& entry : fill.entries)
        box->addItem(toQt(entry));
    box->setCurrentIndex(fill.selected);
    return {};
}

} // namespace

int findRow(QTreeWidget* list, const QString& text, int column) {
    return findRow(ListControls::rowsOf(list), text.toStdString(), column);
}

QString fillDropDown(QComboBox* box, Database& db, const std::string& select,
                     const std::string& column) {
    const QString shown = box->currentText();
    const QString failure =
        applyFill(box, DropDownFill::fromTable(db, select, column, shown.toStdString()));
    if (box->isEditable() && box->currentIndex() < 0)
        box->setEditText(shown);
    return failure;
}

QString fillUnitDropDown(QComboBox* box, Database& db) {
    return applyFill(box, DropDownFill::units(db));
}

void showInDropDown(QComboBox* box, const std::string& text) {
    const QString value = QString::fromStdString(text);
    int index = box->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0 && box->isEditable()) {
        box->setEditText(value);
        return;
    }
    if (index < 0) {
        box->addItem(value);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

namespace ListControls {

void nameControl(QWidget* control, const QString& name, const QString& caption) {
    control->setObjectName(name);
    control->setAccessibleDescription(name);
    control->setAccessibleName(caption);
}

QPushButton* addCaptionButton(QBoxLayout* row, QWidget* parent, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    nameControl(b, "按钮_" + caption, caption);
    b->setAutoDefault(false);
    b->setMinimumWidth(b->fontMetrics().horizontalAdvance(caption) + 24);
    row->addWidget(b);
    return b;
}

void attachContextMenu(QTreeWidget* list, const std::function<QMenu*()>& makeMenu) {
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(list, &QTreeWidget::customContextMenuRequested, list,
                     [list, makeMenu](const QPoint& pos) {
                         if (QMenu* menu = makeMenu()) {
                             menu->exec(list->viewport()->mapToGlobal(pos));
                             menu->deleteLater();
                         }
                     });
}

void setupList(QTreeWidget* list, const std::vector<std::pair<QString, int>>& columns) {
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setColumnCount(static_cast<int>(columns.size()) + 1);
    QStringList captions{QString()};
    for (const auto& column : columns)
        captions << column.first;
    list->setHeaderLabels(captions);
    list->header()->setStretchLastSection(false);
    for (size_t i = 0; i < columns.size(); ++i)
        list->setColumnWidth(static_cast<int>(i) + 1, columns[i].second);
    list->setColumnHidden(0, true);
}

ListRows rowsOf(QTreeWidget* list) {
    ListRows rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows.push_back(rowOf(list, i));
    return rows;
}

ListRow rowOf(QTreeWidget* list, int index) {
    ListRow row;
    const QTreeWidgetItem* item = list->topLevelItem(index);
    for (int column = 0; item && column < list->columnCount(); ++column)
        row.push_back(item->text(column).toStdString());
    return row;
}

void setRows(QTreeWidget* list, const ListRows& rows) {
    list->clear();
    for (size_t i = 0; i < rows.size(); ++i)
        setRow(list, static_cast<int>(i), rows[i]);
}

void setRow(QTreeWidget* list, int index, const ListRow& row) {
    QTreeWidgetItem* item = list->topLevelItem(index);
    if (!item) {
        item = new QTreeWidgetItem;
        list->addTopLevelItem(item);
    }
    for (size_t column = 0; column < row.size(); ++column)
        item->setText(static_cast<int>(column), toQt(row[column]));
}

void removeRow(QTreeWidget* list, int index) {
    delete list->takeTopLevelItem(index);
}

int selectedRow(QTreeWidget* list) {
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->indexOfTopLevelItem(selected.first());
}

void selectRow(QTreeWidget* list, int index) {
    QTreeWidgetItem* item = list->topLevelItem(index);
    if (!item) {
        list->clearSelection();
        list->setCurrentItem(nullptr);
        return;
    }
    list->setCurrentItem(item);
    item->setSelected(true);
    list->scrollToItem(item);
}

std::vector<std::string> entriesOf(QComboBox* box) {
    std::vector<std::string> entries;
    for (int i = 0; i < box->count(); ++i)
        entries.push_back(box->itemText(i).toStdString());
    return entries;
}

} // namespace ListControls
