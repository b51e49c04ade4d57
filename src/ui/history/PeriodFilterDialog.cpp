#include "ui/history/PeriodFilterDialog.h"
#include "ui/common/ListControls.h"

#include "ui/common/MessageBoxes.h"
#include "ui/history/DayEdit.h"

#include <QFormLayout>
#include <QPushButton>

using ListControls::nameControl;

PeriodFilterDialog::PeriodFilterDialog(const QDate& initial, QWidget* parent)
    : QDialog(parent), m_start(new DayEdit(initial, "日期框_起始日期", "起始日期", this)),
      m_end(new DayEdit(initial, "日期框_结束日期", "结束日期", this)) {
    setWindowTitle("请选择指定时间段");
    auto* confirm = new QPushButton("确认", this);
    nameControl(confirm, "按钮_确认", "确认");
    confirm->setDefault(true);
    connect(confirm, &QPushButton::clicked, this, &PeriodFilterDialog::confirm);

    auto* layout = new QFormLayout(this);
    layout->addRow("起始日期：", m_start);
    layout->addRow("结束日期：", m_end);
    layout->addRow(confirm);
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
