#include "ui/history/DayFormDialog.h"
#include "ui/common/ListControls.h"

#include "ui/history/DayEdit.h"

#include <QFormLayout>
#include <QPushButton>

DayFormDialog::DayFormDialog(const QString& title, QWidget* parent)
    : QDialog(parent), m_form(new QFormLayout(this)) {
    setWindowTitle(title);
}

DayEdit* DayFormDialog::addDay(const QDate& initial, const QString& name, const QString& caption) {
    auto* day = new DayEdit(initial, name, caption, this);
    m_form->addRow(caption + "：", day);
    return day;
}

void DayFormDialog::addConfirm(const std::function<void()>& confirm) {
    auto* button = new QPushButton("确认", this);
    ListControls::nameControl(button, "按钮_确认", "确认");
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, confirm);
    m_form->addRow(button);
}
