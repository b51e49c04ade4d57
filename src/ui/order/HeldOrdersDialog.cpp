#include "ui/order/HeldOrdersDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

HeldOrdersDialog::HeldOrdersDialog(const std::vector<HeldOrders::Summary>& held, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("取单"));
    setObjectName(QStringLiteral("取单"));
    resize(720, 360);
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(QStringLiteral("挂起的订单（最新的在最上面）："), this);
    layout->addWidget(caption);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("列表_挂单"));
    m_list->setAccessibleDescription(m_list->objectName());
    m_list->setAccessibleName(caption->text());
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("挂单时间"), QStringLiteral("桌号/客户"),
                             QStringLiteral("合计"), QStringLiteral("菜品"),
                             QStringLiteral("状态")});
    m_list->header()->setSectionResizeMode(3, QHeaderView::Stretch);
    for (const HeldOrders::Summary& order : held) {
        const QString state = order.leasedBy.empty()
                                  ? QString()
                                  : QStringLiteral("收银台 %1 正在处理").arg(qs(order.leasedBy));
        auto* item = new QTreeWidgetItem(
            m_list, {qs(order.heldAt), qs(order.who), qs(order.total), qs(order.dishes), state});
        item->setData(0, Qt::UserRole, order.id);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int column : {0, 1, 2})
        m_list->resizeColumnToContents(column);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    layout->addWidget(m_list);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* take = buttons->addButton(QStringLiteral("取单"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    take->setAccessibleName(take->text());
    cancel->setAccessibleName(cancel->text());
    take->setDefault(true);
    connect(take, &QPushButton::clicked, this, &HeldOrdersDialog::chooseSelected);
    connect(m_list, &QTreeWidget::itemActivated, this, &HeldOrdersDialog::chooseSelected);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);
    m_list->setFocus();
}

void HeldOrdersDialog::chooseSelected() {
    if (const QTreeWidgetItem* item = m_list->currentItem()) {
        m_chosen = item->data(0, Qt::UserRole).toLongLong();
        accept();
    }
}
