#include "ui/history/DayFilterDialog.h"
#include "ui/common/ListControls.h"

#include "ui/history/DayEdit.h"

#include <QFormLayout>
#include <QPushButton>

using ListControls::nameControl;

DayFilterDialog::DayFilterDialog(const QDate& initial, QWidget* parent)
    : QDialog(parent), m_date(new DayEdit(initial, "日期框_指定时间", "指定时间", this)) {
    setWindowTitle("请选择指定时间");
    auto* confirm = new QPushButton("确认", this);
    nameControl(confirm, "按钮_确认", "确认");
    confirm->setDefault(true);
    connect(confirm, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QFormLayout(this);
    layout->addRow("指定时间：", m_date);
    layout->addRow(confirm);
}

HistoryFilter DayFilterDialog::filter() const {
    return HistoryFilter::day(m_date->day());
}
