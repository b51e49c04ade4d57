#include "ui/history/DayFilterDialog.h"
#include "ui/common/ListControls.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QPushButton>

using ListControls::nameControl;

DayFilterDialog::DayFilterDialog(const QDate& initial, QWidget* parent)
    : QDialog(parent), m_date(new QDateEdit(initial, this)) {
    setWindowTitle("请选择指定时间");
    nameControl(m_date, "日期框_指定时间", "指定时间");
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat("yyyy年M月d日");
    auto* confirm = new QPushButton("确认", this);
    nameControl(confirm, "按钮_确认", "确认");
    confirm->setDefault(true);
    connect(confirm, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QFormLayout(this);
    layout->addRow("指定时间：", m_date);
    layout->addRow(confirm);
}

HistoryFilter DayFilterDialog::filter() const {
    const QDate d = m_date->date();
    return HistoryFilter::day({d.year(), d.month(), d.day(), 0, 0, 0});
}
