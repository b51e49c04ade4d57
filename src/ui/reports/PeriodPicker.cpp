#include "ui/reports/PeriodPicker.h"

#include "storage/values/Clock.h"
#include "storage/values/Values.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void name(QWidget* widget, const QString& objectName, const QString& caption) {
    widget->setObjectName(objectName);
    widget->setAccessibleDescription(objectName);
    widget->setAccessibleName(caption);
}

QStringList numbers(int from, int to) {
    QStringList list;
    for (int n = from; n <= to; ++n)
        list << QString::number(n);
    return list;
}

} // namespace

PeriodPicker::PeriodPicker(Kind kind, Report report, QWidget* parent)
    : QDialog(parent), m_kind(kind), m_report(std::move(report)) {
    const DateTime now = Clock::system().now();
    switch (kind) {
    case Kind::Day:
        buildDay();
        break;
    case Kind::Month:
        buildLists(QStringLiteral("月份："), numbers(1, 12), now.month - 1);
        break;
    case Kind::Quarter:
        buildLists(QStringLiteral("季度："), numbers(1, 4), (now.month - 1) / 3);
        break;
    case Kind::Year:
        buildYear();
        break;
    }
    if (kind != Kind::Day)
        setWindowTitle(QStringLiteral("请选择指定时间段"));
}

QStringList PeriodPicker::years() {
    QStringList list;
    for (int year = Clock::system().now().year; year >= 2010; --year)
        list << QString::number(year);
    return list;
}

void PeriodPicker::choose(const QString& first, const QString& second) {
    if (m_report(first, second))
        accept();
}

void PeriodPicker::buildDay() {
    const DateTime now = Clock::system().now();
    m_date = new QDateEdit(QDate(now.year, now.month, now.day), this);
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("yyyy年M月d日"));
    name(m_date, QStringLiteral("日期框"), QStringLiteral("日期"));
    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("确认"), QDialogButtonBox::AcceptRole);
    auto* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    name(ok, QStringLiteral("按钮_确认"), QStringLiteral("确认"));
    name(cancel, QStringLiteral("按钮_取消"), QStringLiteral("取消"));
    connect(ok, &QPushButton::clicked, this, [this] {
        const QDate d = m_date->date();
        choose(QString::fromStdString(Values::dateToText({d.year(), d.month(), d.day()})), {});
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_date);
    layout->addWidget(buttons);
}

void PeriodPicker::buildLists(const QString& label, const QStringList& entries, int current) {
    m_year = new QComboBox(this);
    m_year->addItems(years());
    m_year->setCurrentIndex(0);
    name(m_year, QStringLiteral("组合框_年份"), QStringLiteral("年份："));
    m_list = new QListWidget(this);
    m_list->addItems(entries);
    m_list->setCurrentRow(current);
    name(m_list, QStringLiteral("列表框_时段"), label);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("年份："), m_year);
    layout->addRow(label, m_list);
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { choose(m_year->currentText(), item->text()); });
    m_list->installEventFilter(this);
}

void PeriodPicker::buildYear() {
    m_list = new QListWidget(this);
    m_list->addItems(years());
    m_list->setCurrentRow(0);
    name(m_list, QStringLiteral("列表框_年份"), QStringLiteral("年份："));
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("年份："), m_list);
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { choose(item->text(), {}); });
    m_list->installEventFilter(this);
}

bool PeriodPicker::eventFilter(QObject* watched, QEvent* event) {
    // Enter on the list chooses its current entry, as a click does.
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_list->currentItem()) {
            const QString text = m_list->currentItem()->text();
            if (m_kind == Kind::Year)
                choose(text, {});
            else
                choose(m_year->currentText(), text);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
