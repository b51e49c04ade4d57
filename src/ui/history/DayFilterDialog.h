#pragma once
#include "history/HistoryFilter.h"
#include "ui/history/DayFormDialog.h"

#include <QDate>

class DayEdit;

// "请选择指定时间": the day whose orders the history lists.
class DayFilterDialog : public DayFormDialog {
    Q_OBJECT
  public:
    DayFilterDialog(const QDate& initial, QWidget* parent = nullptr);
    HistoryFilter filter() const;

  private:
    DayEdit* m_date;
};
