#include "ui/history/DayFilterDialog.h"

#include "ui/history/DayEdit.h"

DayFilterDialog::DayFilterDialog(const QDate& initial, QWidget* parent)
    : DayFormDialog("请选择指定时间", parent),
      m_date(addDay(initial, "日期框_指定时间", "指定时间")) {
    addConfirm([this] { accept(); });
}

HistoryFilter DayFilterDialog::filter() const {
    return HistoryFilter::day(m_date->day());
}
