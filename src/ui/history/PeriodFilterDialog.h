#pragma once
#include "history/HistoryFilter.h"
#include "ui/history/DayFormDialog.h"

#include <QDate>

class DayEdit;

// "请选择指定时间段": the first and the last day whose orders the history lists.
class PeriodFilterDialog : public DayFormDialog {
    Q_OBJECT
  public:
    PeriodFilterDialog(const QDate& initial, QWidget* parent = nullptr);
    // Valid once the dialog was accepted.
    const HistoryFilter& filter() const { return m_filter; }

  private:
    void confirm();

    DayEdit* m_start;
    DayEdit* m_end;
    HistoryFilter m_filter;
};
