#pragma once
#include "shift/ShiftRecord.h"

#include <QDialog>
#include <vector>

class Clock;
class Database;
class DayEdit;
class QTreeWidget;

// "交班记录": the stored handovers and day closes of a period, newest
// first; one is shown, reprinted, or all of them exported.
class ShiftRecordsWindow : public QDialog {
    Q_OBJECT
  public:
    ShiftRecordsWindow(Database& db, const Clock& clock, QWidget* parent);

    void query();
    void showSelected();
    void reprintSelected();
    void exportShown();

  private:
    const ShiftRecord* selected();

    Database& m_db;
    DayEdit* m_from;
    DayEdit* m_to;
    QTreeWidget* m_list;
    std::vector<ShiftRecord> m_records;
};
