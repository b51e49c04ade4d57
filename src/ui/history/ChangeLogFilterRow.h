#pragma once
#include "history/ChangeLogFilter.h"

#include <QWidget>

class DayEdit;
class QCheckBox;
class QComboBox;
class QDate;

// The controls above the change log: the kind of change, and the period
// while "按时间段" is ticked, then "查询" and "浏览全部记录".
class ChangeLogFilterRow : public QWidget {
    Q_OBJECT
  public:
    ChangeLogFilterRow(const QDate& today, QWidget* parent);

    // The filter the controls show.
    ChangeLogFilter filter() const;
    // Every kind on every day again.
    void reset();

  signals:
    void findClicked();
    void browseAllClicked();

  private:
    QComboBox* m_kind;
    QCheckBox* m_byPeriod;
    DayEdit* m_firstDay;
    DayEdit* m_lastDay;
};
