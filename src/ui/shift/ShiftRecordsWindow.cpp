#include "ui/shift/ShiftRecordsWindow.h"

#include "shift/ShiftExport.h"
#include "shift/ShiftRecords.h"
#include "storage/values/Clock.h"
#include "ui/common/ButtonBar.h"
#include "ui/common/ExportMessages.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/ListControls.h"
#include "ui/common/MessageBoxes.h"
#include "ui/history/DayEdit.h"
#include "ui/shift/ShiftDialog.h"
#include "ui/shift/ShiftPrinter.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QDate dateOf(const DateTime& day) {
    return QDate(day.year, day.month, day.day);
}

QStringList rowOf(const ShiftRecord& r) {
    const bool handover = r.period.kind == ShiftPeriod::Kind::Handover;
    const ShiftFigures& f = r.figures;
    return {qs(r.title()),
            qs(handover ? r.period.till : r.period.day.canonical().substr(0, 10)),
            qs(r.period.cashier),
            qs(r.end.substr(0, 16)),
            QString::number(f.orders),
            qs(f.income.text()),
            qs(f.expectedCash().text()),
            handover ? qs(f.counted.text()) : QString(),
            handover ? qs(f.difference().text()) : QString()};
}

} // namespace

ShiftRecordsWindow::ShiftRecordsWindow(Database& db, const Clock& clock, QWidget* parent)
    : QDialog(parent), m_db(db), m_list(new QTreeWidget(this)) {
    setWindowTitle(QStringLiteral("交班记录"));
    setObjectName(QStringLiteral("交班记录"));
    const QDate today = dateOf(clock.now());
    m_from = new DayEdit(today.addDays(-6), QStringLiteral("日期框_开始"), QStringLiteral("从"), this);
    m_to = new DayEdit(today, QStringLiteral("日期框_结束"), QStringLiteral("到"), this);
    auto* filter = new QHBoxLayout;
    filter->addWidget(new QLabel(QStringLiteral("从"), this));
    filter->addWidget(m_from);
    filter->addWidget(new QLabel(QStringLiteral("到"), this));
    filter->addWidget(m_to);
    connect(ListControls::addCaptionButton(filter, this, QStringLiteral("查询")),
            &QPushButton::clicked, this, &ShiftRecordsWindow::query);
    filter->addStretch(1);
    ListControls::nameControl(m_list, QStringLiteral("高级表格_交班记录"), QStringLiteral("交班记录"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({"记录", "收银台/营业日", "收银员", "结束时间", "订单数", "收入",
                             "应有现金", "实点现金", "差额"});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setMinimumSize(760, 360);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &ShiftRecordsWindow::showSelected);
    ButtonBar bar(this);
    connect(bar.button("查看"), &QPushButton::clicked, this, &ShiftRecordsWindow::showSelected);
    connect(bar.button("重打"), &QPushButton::clicked, this, &ShiftRecordsWindow::reprintSelected);
    connect(bar.button("导出"), &QPushButton::clicked, this, &ShiftRecordsWindow::exportShown);
    bar.addStretch();
    connect(bar.button("关闭"), &QPushButton::clicked, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addLayout(filter);
    column->addWidget(m_list, 1);
    column->addWidget(bar.widget());
    query();
}

void ShiftRecordsWindow::query() {
    const std::string from = m_from->day().canonical();
    const std::string to = m_to->day().canonical().substr(0, 10) + " 23:59:59";
    const ReadResult<std::vector<ShiftRecord>> records = ShiftRecords(m_db).list(from, to);
    if (!records) {
        MessageBoxes::instance().inform(this, qs(records.message("读取交班记录", "列表没有改变。")),
                                        MessageBoxes::Icon::Warning);
        return;
    }
    m_records = *records;
    m_list->clear();
    for (const ShiftRecord& record : m_records)
        new QTreeWidgetItem(m_list, rowOf(record));
    if (!m_records.empty())
        m_list->setCurrentItem(m_list->topLevelItem(0));
}

const ShiftRecord* ShiftRecordsWindow::selected() {
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0 || row >= int(m_records.size())) {
        MessageBoxes::instance().inform(this, QStringLiteral("请先选择一条记录。"));
        return nullptr;
    }
    return &m_records[row];
}

void ShiftRecordsWindow::showSelected() {
    if (const ShiftRecord* record = selected())
        ShiftDialog(*record, ShiftDialog::Purpose::Stored, this, [this] { reprintSelected(); })
            .exec();
}

void ShiftRecordsWindow::reprintSelected() {
    if (const ShiftRecord* record = selected())
        ShiftPrinter(m_db, this).print(*record, false);
}

void ShiftRecordsWindow::exportShown() {
    const QString path = FileDialogs::instance().saveFile(this, "导出交班记录", "交班记录.xlsx",
                                                          FileDialogs::spreadsheetFilters());
    if (!path.isEmpty())
        ExportMessages::tell(this, ShiftExport::toFile(m_records, path.toStdString()), path);
}
