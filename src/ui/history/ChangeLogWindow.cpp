#include "ui/history/ChangeLogWindow.h"
#include "ui/common/ListControls.h"

#include "storage/Clock.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/PagedListPanel.h"
#include "ui/history/DayEdit.h"
#include "ui/history/ListStatusBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTreeWidget>
#include <QVBoxLayout>

using ListControls::addCaptionButton;
using ListControls::nameControl;

namespace {

const QList<PagedListPanel::Column> recordColumns = {
    {"ID", 50}, {"时间", 210}, {"操作", 100}, {"存单ID", 70}, {"编号", 60}};

constexpr int IdColumn = 0;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Marks the lines that differ from the other side of the record.
void markLines(QPlainTextEdit* pane, const std::vector<bool>& changed) {
    QList<QTextEdit::ExtraSelection> marks;
    QTextBlock block = pane->document()->firstBlock();
    for (std::size_t i = 0; i < changed.size() && block.isValid(); ++i, block = block.next()) {
        if (!changed[i])
            continue;
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(block);
        mark.format.setBackground(QColor(255, 236, 179));
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        marks << mark;
    }
    pane->setExtraSelections(marks);
}

} // namespace

ChangeLogWindow::ChangeLogWindow(Database& db, const Clock& clock, QWidget* parent)
    : QDialog(parent), m_db(db),
      m_panel(new PagedListPanel(db, m_records, recordColumns, "超级列表框_操作记录", this)),
      m_caption(new QLabel(ChangeLogFilter::allCaption, this)) {
    setWindowTitle("操作记录");
    resize(980, 680);
    nameControl(m_caption, "标签_状态", "状态");

    auto* statusBar =
        new ListStatusBar("状态条_操作记录", "操作记录统计", {"共有操作记录:0条"}, this);
    m_count = statusBar->part(0);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_panel);
    splitter->addWidget(buildContentPanes());
    splitter->setSizes({220, 380});

    const DateTime now = clock.now();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFilterRow(QDate(now.year, now.month, now.day)));
    layout->addWidget(m_caption);
    layout->addWidget(splitter, 1);
    layout->addWidget(statusBar);

    connect(m_panel, &PagedListPanel::pageShown, this, [this](const PagedList::Page& page) {
        m_count->setText(QString("共有操作记录:%1条").arg(page.count));
        showSelectedRecord();
    });
    connect(m_panel->list(), &QTreeWidget::itemSelectionChanged, this,
            &ChangeLogWindow::showSelectedRecord);

    m_records.setPageSize(200);
    showRecords(*ChangeLogFilter{}.condition());
}

QWidget* ChangeLogWindow::buildFilterRow(const QDate& today) {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel("操作：", bar));
    m_kind = new QComboBox(bar);
    nameControl(m_kind, "下拉框_操作", "操作");
    m_kind->addItem("全部");
    for (ChangeLog::Kind kind : ChangeLog::kinds())
        m_kind->addItem(ChangeLog::kindName(kind));
    row->addWidget(m_kind);
    row->addSpacing(12);
    m_byPeriod = new QCheckBox("按时间段：", bar);
    nameControl(m_byPeriod, "选择框_按时间段", "按时间段");
    row->addWidget(m_byPeriod);
    m_firstDay = new DayEdit(today, "日期框_起始日期", "起始日期", bar);
    m_lastDay = new DayEdit(today, "日期框_结束日期", "结束日期", bar);
    row->addWidget(m_firstDay);
    row->addWidget(new QLabel("到", bar));
    row->addWidget(m_lastDay);
    for (QDateEdit* day : {m_firstDay, m_lastDay}) {
        day->setEnabled(false);
        connect(m_byPeriod, &QCheckBox::toggled, day, &QWidget::setEnabled);
    }
    QPushButton* find = addCaptionButton(row, bar, "查询");
    find->setDefault(true);
    connect(find, &QPushButton::clicked, this, &ChangeLogWindow::applyFilter);
    row->addStretch(1);
    connect(addCaptionButton(row, bar, "浏览全部记录"), &QPushButton::clicked, this,
            &ChangeLogWindow::browseAll);
    return bar;
}

QPlainTextEdit* ChangeLogWindow::contentPane(const QString& caption, const QString& name,
                                             QWidget* parent) {
    auto* pane = new QPlainTextEdit(parent);
    nameControl(pane, name, caption);
    pane->setReadOnly(true);
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    return pane;
}

QWidget* ChangeLogWindow::buildContentPanes() {
    auto* panes = new QWidget(this);
    auto* grid = new QGridLayout(panes);
    grid->setContentsMargins(0, 0, 0, 0);
    m_before = contentPane("原内容", "编辑框_原内容", panes);
    m_after = contentPane("新内容", "编辑框_新内容", panes);
    grid->addWidget(new QLabel("原内容", panes), 0, 0);
    grid->addWidget(new QLabel("新内容", panes), 0, 1);
    grid->addWidget(m_before, 1, 0);
    grid->addWidget(m_after, 1, 1);
    // Both sides scroll together, so a field stays beside its counterpart.
    QScrollBar* left = m_before->verticalScrollBar();
    QScrollBar* right = m_after->verticalScrollBar();
    connect(left, &QScrollBar::valueChanged, right, &QScrollBar::setValue);
    connect(right, &QScrollBar::valueChanged, left, &QScrollBar::setValue);
    return panes;
}

ChangeLogFilter ChangeLogWindow::chosenFilter() const {
    ChangeLogFilter filter;
    if (m_kind->currentIndex() > 0)
        filter.kind = ChangeLog::kinds()[std::size_t(m_kind->currentIndex() - 1)];
    if (m_byPeriod->isChecked()) {
        filter.firstDay = m_firstDay->day();
        filter.lastDay = m_lastDay->day();
    }
    return filter;
}

bool ChangeLogWindow::applyFilter() {
    const std::optional<HistoryFilter> condition = chosenFilter().condition();
    if (!condition) {
        MessageBoxes::instance().inform(this, HistoryFilter::periodRefusal,
                                        MessageBoxes::Icon::Information, "提示");
        return false;
    }
    showRecords(*condition);
    return true;
}

void ChangeLogWindow::browseAll() {
    m_kind->setCurrentIndex(0);
    m_byPeriod->setChecked(false);
    showRecords(*ChangeLogFilter{}.condition());
}

void ChangeLogWindow::showRecords(const HistoryFilter& filter) {
    m_records.setConditionFragment(filter.fragment);
    m_caption->setText(qs(filter.caption));
    // The owner comes for what happened lately: the newest records first.
    int page = -1;
    m_panel->showPage(page);
}

QString ChangeLogWindow::statusCaption() const {
    return m_caption->text();
}

QString ChangeLogWindow::beforeText() const {
    return m_before->toPlainText();
}

QString ChangeLogWindow::afterText() const {
    return m_after->toPlainText();
}

void ChangeLogWindow::showSelectedRecord() {
    const QString id = m_panel->selectedText(IdColumn);
    const std::optional<ChangeLog::Record> record =
        id.isEmpty() ? std::nullopt : ChangeLog(m_db).read(id.toStdString());
    m_before->setPlainText(record ? qs(record->before) : QString());
    m_after->setPlainText(record ? qs(record->after) : QString());
    if (!record)
        return;
    const ChangedLines changed = ChangedLines::of(record->before, record->after);
    markLines(m_before, changed.before);
    markLines(m_after, changed.after);
}
