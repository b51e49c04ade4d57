#include "ui/catalogue/SoldOutDialog.h"

#include "storage/engine/Database.h"
#include "storage/values/Clock.h"
#include "ui/common/MessageBoxes.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

template <typename W> W* named(W* control, const QString& name, const QString& caption) {
    control->setObjectName(name);
    control->setAccessibleDescription(name);
    control->setAccessibleName(caption);
    return control;
}

} // namespace

SoldOutDialog::SoldOutDialog(Database& db, const QString& dish, QWidget* parent)
    : QDialog(parent), m_db(db), m_soldOut(db), m_day(db.clock().now().dateOnly()) {
    setWindowTitle(QStringLiteral("估清"));
    setObjectName(QStringLiteral("估清"));
    resize(460, 480);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("今日（%1）估清的菜品，过了今天自动恢复供应：")
                                     .arg(qs(m_day.canonical().substr(0, 10))),
                                 this));
    m_list = named(new QTreeWidget(this), QStringLiteral("列表_估清"), QStringLiteral("菜品"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(
        {QStringLiteral("数字代号"), QStringLiteral("菜名"), QStringLiteral("今日")});
    m_list->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    layout->addWidget(m_list, 1);

    auto* row = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("剩余份数："), this);
    m_left =
        named(new QSpinBox(this), QStringLiteral("编辑框_剩余份数"), QStringLiteral("剩余份数"));
    m_left->setRange(1, 32767);
    caption->setBuddy(m_left);
    row->addWidget(caption);
    row->addWidget(m_left);
    auto* setLeft = named(new QPushButton(QStringLiteral("设置剩余"), this),
                          QStringLiteral("按钮_设置剩余"), QStringLiteral("设置剩余"));
    row->addWidget(setLeft);
    row->addStretch(1);
    layout->addLayout(row);

    auto* buttons = new QDialogButtonBox(this);
    auto* soldOut = named(buttons->addButton(QStringLiteral("估清"), QDialogButtonBox::ActionRole),
                          QStringLiteral("按钮_估清"), QStringLiteral("估清"));
    auto* restore =
        named(buttons->addButton(QStringLiteral("恢复供应"), QDialogButtonBox::ActionRole),
              QStringLiteral("按钮_恢复供应"), QStringLiteral("恢复供应"));
    auto* close = named(buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole),
                        QStringLiteral("按钮_关闭"), QStringLiteral("关闭"));
    layout->addWidget(buttons);
    for (QPushButton* b : {setLeft, soldOut, restore, close})
        b->setAutoDefault(false);
    connect(soldOut, &QPushButton::clicked, this, [this] { apply(0); });
    connect(setLeft, &QPushButton::clicked, this, [this] { apply(m_left->value()); });
    connect(restore, &QPushButton::clicked, this, [this] { apply(std::nullopt); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    load(dish);
}

void SoldOutDialog::load(const QString& selected) {
    m_list->clear();
    const ReadResult<Rows> dishes = m_db.read("select 代码,菜名 from 菜单 order by 代码");
    const ReadResult<SoldOut::Marks> marks = m_soldOut.marks(m_day);
    if (!dishes || !marks) {
        MessageBoxes::instance().inform(
            this, qs(!dishes ? dishes.message("读取菜单", "") : marks.message("读取估清菜品", "")),
            MessageBoxes::Icon::Warning);
        return;
    }
    for (const Rows::Row dish : *dishes) {
        const std::string name = dish["菜名"].toText();
        const auto mark = marks->find(name);
        auto* item = new QTreeWidgetItem(
            m_list, {qs(dish["代码"].toText()), qs(name),
                     mark == marks->end() ? QString() : qs(SoldOut::label(mark->second))});
        if (qs(name) == selected)
            m_list->setCurrentItem(item);
    }
    if (!m_list->currentItem() && m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    m_list->scrollToItem(m_list->currentItem());
}

QString SoldOutDialog::selectedDish() const {
    const QTreeWidgetItem* item = m_list->currentItem();
    return item ? item->text(1) : QString();
}

void SoldOutDialog::apply(std::optional<int> left) {
    const QString dish = selectedDish();
    if (dish.isEmpty()) {
        MessageBoxes::instance().inform(this, QStringLiteral("请先选择菜品。"));
        return;
    }
    const bool stored = left ? m_soldOut.mark(dish.toStdString(), *left, m_day)
                             : m_soldOut.unmark(dish.toStdString(), m_day);
    if (!stored)
        MessageBoxes::instance().inform(
            this, qs(StorageFailures::failed("保存估清", m_db.lastFailure(), "估清没有改变。")),
            MessageBoxes::Icon::Warning);
    load(dish);
}
