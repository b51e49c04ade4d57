#include "ui/history/PeriodFilterDialog.h"
#include "ui/common/ListControls.h"

#include "ui/common/MessageBoxes.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QPushButton>

using ListControls::nameControl;

namespace {

QDateEdit* dateEdit(const QDate& initial, QWidget* parent) {
    auto* edit = new QDateEdit(initial, parent);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat("yyyy年M月d日");
    return edit;
}

DateTime toDateTime(const QDate& d) {
    return {d.year(), d.month(), d.day(), 0, 0, 0};
}

} // namespace

PeriodFilterDialog::PeriodFilterDialog(const QDate& initial, QWidget* parent)
    : QDialog(parent), m_start(dateEdit(initial, this)), m_end(dateEdit(initial, this)) {
    setWindowTitle("请选择指定时间段");
    nameControl(m_start, "日期框_起始日期", "起始日期");
    nameControl(m_end, "日期框_结束日期", "结束日期");
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
    const std::optional<HistoryFilter> chosen =
        HistoryFilter::period(toDateTime(m_start->date()), toDateTime(m_end->date()));
    if (!chosen) {
        MessageBoxes::instance().inform(this, HistoryFilter::periodRefusal,
                                        MessageBoxes::Icon::Information, "提示");
        return;
    }
    m_filter = *chosen;
    accept();
}
