#include "ui/catalogue/ListWindow.h"
#include "catalogue/ListOutcome.h"
#include "ui/common/ListControls.h"
#include "ui/common/MessageBoxes.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using ListControls::nameControl;

ListWindow::ListWindow(QWidget* parent, Database& db, const QString& title,
                       const QString& listCaption,
                       const std::vector<std::pair<QString, int>>& columns, const QString& addText)
    : QDialog(parent), m_db(db), m_list(new QTreeWidget(this)), m_buttons(new QHBoxLayout) {
    setWindowTitle(title);
    setObjectName(title);
    nameControl(m_list, QStringLiteral("超级列表框1"), listCaption);
    ListControls::setupList(m_list, columns);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->installEventFilter(this);
    connect(m_list, &QTreeWidget::customContextMenuRequested, this, &ListWindow::showContextMenu);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &ListWindow::openModifyWindow);

    m_buttons->addStretch();
    const auto addButton = [&](const QString& name, const QString& text,
                               void (ListWindow::*slot)()) {
        auto* button = new QPushButton(text, this);
        nameControl(button, name, text.trimmed());
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        m_buttons->addWidget(button);
    };
    addButton(QStringLiteral("按钮_添加"), addText, &ListWindow::openAddWindow);
    addButton(QStringLiteral("按钮_修改"), QStringLiteral("修改"), &ListWindow::openModifyWindow);
    addButton(QStringLiteral("按钮_删除"), QStringLiteral("删除"), &ListWindow::deleteSelected);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(m_buttons);
    int width = 60;
    for (const auto& column : columns)
        width += column.second;
    resize(width, 520);
}

QPushButton* ListWindow::addLeadingButton(const QString& name, const QString& text) {
    auto* button = new QPushButton(text, this);
    nameControl(button, name, text);
    button->setAutoDefault(false);
    m_buttons->insertWidget(m_leadingButtons++, button);
    return button;
}

void ListWindow::deleteSelected() {
    auto& boxes = MessageBoxes::instance();
    const int selected = ListControls::selectedRow(m_list);
    if (selected < 0) {
        boxes.inform(this, QStringLiteral("请选择要删除的项目。"));
        return;
    }
    const ListRow row = ListControls::rowOf(m_list, selected);
    if (!boxes.ask(this, QString::fromStdString(deleteQuestion(row))))
        return;
    if (!deleteRow(row)) {
        const std::string failure = ListOutcome::failureMessage("删除", m_db);
        if (!failure.empty())
            boxes.inform(this, QString::fromStdString(failure), MessageBoxes::Icon::Warning);
        return;
    }
    ListControls::removeRow(m_list, selected);
    ListControls::selectRow(m_list, selectionAfterRemoval(selected, m_list->topLevelItemCount()));
    boxes.inform(this, QStringLiteral("处理成功。"), MessageBoxes::Icon::None);
}

void ListWindow::showRows(const ReadResult<ListRows>& rows) {
    ListControls::setRows(m_list, rows ? *rows : ListRows{});
    m_readFailure = rows ? QString()
                         : QString::fromStdString(rows.message("读取" + windowTitle().toStdString(),
                                                               "列表没有显示，数据没有改动。"));
    if (!rows)
        MessageBoxes::instance().inform(this, m_readFailure, MessageBoxes::Icon::Warning);
}

void ListWindow::openAddWindow() {
    if (!m_readFailure.isEmpty()) {
        MessageBoxes::instance().inform(this, m_readFailure, MessageBoxes::Icon::Warning);
        return;
    }
    makeEditWindow(false)->exec();
}

void ListWindow::openModifyWindow() {
    if (ListControls::selectedRow(m_list) < 0) {
        MessageBoxes::instance().inform(this, QStringLiteral("请选择要修改的项目。"));
        return;
    }
    makeEditWindow(true)->exec();
}

bool ListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        deleteSelected();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ListWindow::showContextMenu(const QPoint& at) {
    if (ListControls::selectedRow(m_list) < 0)
        return;
    QMenu menu(this);
    menu.addAction(QStringLiteral("修改"), this, &ListWindow::openModifyWindow);
    menu.addAction(QStringLiteral("删除"), this, &ListWindow::deleteSelected);
    menu.exec(m_list->viewport()->mapToGlobal(at));
}
