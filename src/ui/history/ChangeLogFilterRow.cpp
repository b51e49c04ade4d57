#include "ui/history/ChangeLogFilterRow.h"
#include "ui/common/ListControls.h"

#include "ui/history/DayEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

using ListControls::addCaptionButton;
using ListControls::nameControl;

ChangeLogFilterRow::ChangeLogFilterRow(const QDate& today, QWidget* parent)
    : QWidget(parent), m_kind(new QComboBox(this)), m_byPeriod(new QCheckBox("按时间段：", this)),
      m_firstDay(new DayEdit(today, "日期框_起始日期", "起始日期", this)),
      m_lastDay(new DayEdit(today, "日期框_结束日期", "结束日期", this)) {
    nameControl(m_kind, "下拉框_操作", "操作");
    m_kind->addItem("全部");
    for (ChangeLog::Kind kind : ChangeLog::kinds())
        m_kind->addItem(ChangeLog::kindName(kind));
    nameControl(m_byPeriod, "选择框_按时间段", "按时间段");
    for (DayEdit* day : {m_firstDay, m_lastDay}) {
        day->setEnabled(false);
        connect(m_byPeriod, &QCheckBox::toggled, day, &QWidget::setEnabled);
    }

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel("操作：", this));
    row->addWidget(m_kind);
    row->addSpacing(12);
    row->addWidget(m_byPeriod);
    row->addWidget(m_firstDay);
    row->addWidget(new QLabel("到", this));
    row->addWidget(m_lastDay);
    QPushButton* find = addCaptionButton(row, this, "查询");
    find->setDefault(true);
    connect(find, &QPushButton::clicked, this, &ChangeLogFilterRow::findClicked);
    row->addStretch(1);
    connect(addCaptionButton(row, this, "浏览全部记录"), &QPushButton::clicked, this,
            &ChangeLogFilterRow::browseAllClicked);
}

ChangeLogFilter ChangeLogFilterRow::filter() const {
    ChangeLogFilter filter;
    if (m_kind->currentIndex() > 0)
        filter.kind = ChangeLog::kinds()[std::size_t(m_kind->currentIndex() - 1)];
    if (m_byPeriod->isChecked()) {
        filter.firstDay = m_firstDay->day();
        filter.lastDay = m_lastDay->day();
    }
    return filter;
}

void ChangeLogFilterRow::reset() {
    m_kind->setCurrentIndex(0);
    m_byPeriod->setChecked(false);
}
