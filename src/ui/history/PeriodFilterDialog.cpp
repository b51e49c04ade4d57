#include "ui/history/PeriodFilterDialog.h"

#include "ui/common/MessageBoxes.h"
#include "ui/history/DayEdit.h"

PeriodFilterDialog::PeriodFilterDialog(const QDate& initial, QWidget* parent)
    : DayFormDialog("请选择指定时间段", parent),
      m_start(addDay(initial, "日期框_起始日期", "起始日期")),
      m_end(addDay(initial, "日期框_结束日期", "结束日期")) {
    addConfirm([this] { confirm(); });
}

void PeriodFilterDialog::confirm() {
    const std::optional<HistoryFilter> chosen = HistoryFilter::period(m_start->day(), m_end->day());
    if (!chosen) {
        MessageBoxes::instance().inform(this, HistoryFilter::periodRefusal,
                                        MessageBoxes::Icon::Information, "提示");
        return;
    }
    m_filter = *chosen;
    accept();
}
