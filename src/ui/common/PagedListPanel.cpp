#include "ui/common/PagedListPanel.h"
#include "ui/common/ListControls.h"
#include "ui/common/MessageBoxes.h"

#include "storage/values/Values.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

using ListControls::nameControl;

PagedListPanel::PagedListPanel(Database& db, PagedList& list, const QList<Column>& columns,
                               const QString& listName, QWidget* parent)
    : QWidget(parent), m_db(db), m_pagedList(list), m_list(new QTreeWidget(this)) {
    nameControl(m_list, listName, listName);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setColumnCount(int(columns.size()));
    QStringList captions;
    for (const Column& column : columns)
        captions << column.caption;
    m_list->setHeaderLabels(captions);
    for (int i = 0; i < columns.size(); ++i) {
        m_list->setColumnWidth(i, columns[i].width);
        m_list->setColumnHidden(i, columns[i].width == 0);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list, 1);
    layout->addWidget(buildNavigation());
    m_list->installEventFilter(this);
}

bool PagedListPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete &&
        isSignalConnected(QMetaMethod::fromSignal(&PagedListPanel::deleteKeyPressed))) {
        emit deleteKeyPressed();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

QPushButton* PagedListPanel::navButton(const QString& caption) {
    auto* button = new QPushButton(caption, this);
    nameControl(button, "标签_" + caption, caption);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    return button;
}

QWidget* PagedListPanel::buildNavigation() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);

    QPushButton* first = navButton("回首页");
    QPushButton* previous = navButton("上一页");
    QPushButton* next = navButton("下一页");
    QPushButton* last = navButton("到尾页");
    QPushButton* reload = navButton("刷新");
    m_currentPage = new QLabel("1", bar);
    nameControl(m_currentPage, "标签_当前页", "当前页");
    m_pageCount = new QLabel("/1", bar);
    nameControl(m_pageCount, "标签_总页数", "总页数");
    m_jumpField = new QLineEdit(bar);
    nameControl(m_jumpField, "编辑框_跳到", "跳到第几页");
    m_jumpField->setMaximumWidth(60);
    QPushButton* go = navButton("跳到");

    for (QWidget* w : std::initializer_list<QWidget*>{first, previous, next, last, reload})
        row->addWidget(w);
    row->addStretch(1);
    row->addWidget(m_currentPage);
    row->addWidget(m_pageCount);
    row->addSpacing(12);
    row->addWidget(m_jumpField);
    row->addWidget(go);

    connect(first, &QPushButton::clicked, this, [this] {
        if (m_currentPage->text() != "1")
            showFirstPage();
    });
    connect(previous, &QPushButton::clicked, this, [this] {
        if (m_currentPage->text() == "1")
            return;
        int page = currentPage() - 1;
        showPage(page);
    });
    connect(next, &QPushButton::clicked, this, [this] {
        if (onLastPage())
            return;
        int page = currentPage() + 1;
        showPage(page);
    });
    connect(last, &QPushButton::clicked, this, [this] {
        if (onLastPage())
            return;
        int page = -1;
        showPage(page);
    });
    connect(reload, &QPushButton::clicked, this, &PagedListPanel::refresh);
    connect(go, &QPushButton::clicked, this, &PagedListPanel::jump);
    connect(m_jumpField, &QLineEdit::returnPressed, this, &PagedListPanel::jump);
    return bar;
}

bool PagedListPanel::onLastPage() const {
    return "/" + m_currentPage->text() == m_pageCount->text();
}

int PagedListPanel::currentPage() const {
    return Values::textToInt(m_currentPage->text().toStdString());
}

void PagedListPanel::jump() {
    int page = Values::textToInt(m_jumpField->text().toStdString());
    showPage(page);
    m_jumpField->setText(QString::number(page));
}

void PagedListPanel::showFirstPage() {
    int page = 1;
    showPage(page);
}

void PagedListPanel::refresh() {
    // An empty list shows page 0, which is no page: what a refresh finds
    // after an addition starts on page 1.
    int page = std::max(1, currentPage());
    showPage(page);
}

// A page that could not be read clears the list and says why: rows or
// totals left from before would pass for the answer.
void PagedListPanel::showPage(int& page) {
    const ReadResult<PagedList::Page> shown = m_pagedList.showPage(m_db, page);
    if (!shown) {
        m_list->clear();
        emit pageFailed();
        MessageBoxes::instance().inform(
            this, QString::fromStdString(m_pagedList.failureMessage(shown.readFailure())),
            MessageBoxes::Icon::Warning);
        return;
    }
    render(*shown);
    emit pageShown(*shown);
}

void PagedListPanel::render(const PagedList::Page& page) {
    if (page.listCleared)
        m_list->clear();
    if (!page.pageShown)
        return;
    m_pageCount->setText("/" + QString::number(page.pageCount));
    m_currentPage->setText(QString::number(page.page));
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(page.rows.size()));
    for (const auto& row : page.rows) {
        QStringList texts;
        for (const std::string& cell : row)
            texts << QString::fromStdString(cell);
        items << new QTreeWidgetItem(texts);
    }
    m_list->addTopLevelItems(items);
}

int PagedListPanel::selectedIndex() const {
    return ListControls::selectedRow(m_list);
}

QString PagedListPanel::selectedText(int column) const {
    const int index = selectedIndex();
    return index < 0 ? QString() : m_list->topLevelItem(index)->text(column);
}

void PagedListPanel::reloadAfterRemoval(int removedIndex) {
    ListControls::removeRow(m_list, removedIndex);
    refresh();
    ListControls::selectRow(m_list,
                            selectionAfterRemoval(removedIndex, m_list->topLevelItemCount()));
}
