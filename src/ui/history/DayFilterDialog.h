#pragma once
#include "history/HistoryFilter.h"

#include <QDate>
#include <QDialog>

class DayEdit;

// "请选择指定时间": the day whose orders the history lists.
class DayFilterDialog : public QDialog {
    Q_OBJECT
  public:
    DayFilterDialog(const QDate& initial, QWidget* parent = nullptr);
    HistoryFilter filter() const;

  private:
    DayEdit* m_date;
};
