#include "ui/history/ChangeLogWindow.h"
#include "ui/common/ListControls.h"

#include "storage/values/Clock.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/PagedListPanel.h"
#include "ui/history/ChangeLogFilterRow.h"
#include "ui/history/ListStatusBar.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTreeWidget>
#include <QVBoxLayout>

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
    m_filterRow = new ChangeLogFilterRow(QDate(now.year, now.month, now.day), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_filterRow);
    layout->addWidget(m_caption);
    layout->addWidget(splitter, 1);
    layout->addWidget(statusBar);

    connect(m_panel, &PagedListPanel::pageShown, this, [this](const PagedList::Page& page) {
        m_count->setText(QString("共有操作记录:%1条").arg(page.count));
        showSelectedRecord();
    });
    connect(m_panel, &PagedListPanel::pageFailed, this, [this] {
        m_count->setText("共有操作记录:无法读取");
        showSelectedRecord();
    });
    connect(m_panel->list(), &QTreeWidget::itemSelectionChanged, this,
            &ChangeLogWindow::showSelectedRecord);
    connect(m_filterRow, &ChangeLogFilterRow::findClicked, this, &ChangeLogWindow::applyFilter);
    connect(m_filterRow, &ChangeLogFilterRow::browseAllClicked, this, &ChangeLogWindow::browseAll);

    m_records.setPageSize(200);
    showRecords(*ChangeLogFilter{}.condition());
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

bool ChangeLogWindow::applyFilter() {
    const std::optional<HistoryFilter> condition = m_filterRow->filter().condition();
    if (!condition) {
        MessageBoxes::instance().inform(this, HistoryFilter::periodRefusal,
                                        MessageBoxes::Icon::Information, "提示");
        return false;
    }
    showRecords(*condition);
    return true;
}

void ChangeLogWindow::browseAll() {
    m_filterRow->reset();
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
