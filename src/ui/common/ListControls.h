#pragma once
#include "catalogue/ListRows.h"

#include <QString>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class Database;
class QBoxLayout;
class QComboBox;
class QMenu;
class QPushButton;
class QTreeWidget;
class QWidget;

// The first row of the list whose text in the column equals the text exactly,
// or -1. Lists are QTreeWidgets of top-level rows, one per record.
int findRow(QTreeWidget* list, const QString& text, int column);

// Refills the drop-down from one text column of the select's rows, with an
// empty first entry; the text shown before stays selected when an entry has it
// (the last such entry), and an editable drop-down keeps showing it otherwise.
// Empty when refilled; otherwise why the rows could not be read, and the box
// is left as it was.
QString fillDropDown(QComboBox* box, Database& db, const std::string& select,
                     const std::string& column);
// Refills the drop-down with every unit name, no empty entry, nothing
// selected; the failure as fillDropDown gives it.
QString fillUnitDropDown(QComboBox* box, Database& db);
// Shows the text: the matching entry when there is one, else the text itself
// in an editable drop-down, else an entry added for it (a stored payment
// method that is not one of the fixed ones).
void showInDropDown(QComboBox* box, const std::string& text);

namespace ListControls {

// Gives the control its name (objectName and accessible description) and
// the caption a cashier reads for it (accessible name).
void nameControl(QWidget* control, const QString& name, const QString& caption);

// A button named "按钮_" + caption, wide enough for its caption, added to the row.
QPushButton* addCaptionButton(QBoxLayout* row, QWidget* parent, const QString& caption);

// Shows the menu that makeMenu builds (nothing when it gives none) on a right
// click in the list; the menu is deleted after it closes.
void attachContextMenu(QTreeWidget* list, const std::function<QMenu*()>& makeMenu);

// Sets up a list in report view: a hidden empty first column, then the given
// captions and widths in pixels.
void setupList(QTreeWidget* list, const std::vector<std::pair<QString, int>>& columns);

ListRows rowsOf(QTreeWidget* list);
ListRow rowOf(QTreeWidget* list, int index);
// Replaces all rows.
void setRows(QTreeWidget* list, const ListRows& rows);
// Writes the row at index; an index one past the end appends it.
void setRow(QTreeWidget* list, int index, const ListRow& row);
void removeRow(QTreeWidget* list, int index);

// The selected row, or -1.
int selectedRow(QTreeWidget* list);
// Selects the row and scrolls it into view; -1 clears the selection.
void selectRow(QTreeWidget* list, int index);

std::vector<std::string> entriesOf(QComboBox* box);

} // namespace ListControls
