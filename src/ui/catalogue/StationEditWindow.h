#pragma once
#include "ui/catalogue/ListEditWindow.h"

class QComboBox;
class QSpinBox;

// "出品部门添加" and "出品部门修改": a station's name, its ticket printer and
// how that prints, working on the station window's list.
class StationEditWindow : public ListEditWindow {
    Q_OBJECT
  public:
    // Modify takes the station of the list's selected row.
    StationEditWindow(QWidget* parent, Database& db, QTreeWidget* stationList, Mode mode);

  private:
    void save();
    void showSelected();

    QComboBox* m_connection;
    QComboBox* m_printMode;
    QSpinBox* m_copies;
    QComboBox* m_paper;
    std::string m_oldName; // the station modified, as listed
};
