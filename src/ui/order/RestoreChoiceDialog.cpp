#include "ui/order/RestoreChoiceDialog.h"

#include "storage/copies/BackupFolder.h"
#include "storage/copies/DatabaseRestore.h"
#include "ui/common/FileDialogs.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QPushButton* namedButton(QDialogButtonBox* box, const QString& text,
                         QDialogButtonBox::ButtonRole role) {
    QPushButton* button = box->addButton(text, role);
    button->setAccessibleName(text);
    return button;
}

} // namespace

RestoreChoiceDialog::RestoreChoiceDialog(const BackupFolder& folder, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("恢复数据"));
    setObjectName(QStringLiteral("恢复数据"));
    resize(560, 380);
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(QStringLiteral("自动备份（最新的在最上面）："), this);
    layout->addWidget(caption);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("列表_备份"));
    m_list->setAccessibleName(caption->text());
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(
        {QStringLiteral("备份时间"), QStringLiteral("大小"), QStringLiteral("订单数")});
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    layout->addWidget(m_list);
    fill(folder);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* restore =
        namedButton(buttons, QStringLiteral("恢复所选备份"), QDialogButtonBox::AcceptRole);
    QPushButton* other =
        namedButton(buttons, QStringLiteral("选择其他文件…"), QDialogButtonBox::ActionRole);
    QPushButton* cancel =
        namedButton(buttons, QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    restore->setEnabled(m_list->topLevelItemCount() > 0);
    connect(restore, &QPushButton::clicked, this, &RestoreChoiceDialog::chooseSelected);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &RestoreChoiceDialog::chooseSelected);
    connect(other, &QPushButton::clicked, this, &RestoreChoiceDialog::chooseOtherFile);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void RestoreChoiceDialog::fill(const BackupFolder& folder) {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    for (const BackupFolder::Copy& copy : folder.copies()) {
        const BackupSummary summary = DatabaseRestore::inspect(copy.path, false);
        const QString orders =
            summary.sound ? QString::number(summary.orders) : QStringLiteral("无法读出");
        auto* item =
            new QTreeWidgetItem(m_list, {QString::fromStdString(copy.time.canonical()),
                                         chinese.formattedDataSize(qint64(copy.size)), orders});
        item->setData(0, Qt::UserRole, QString::fromStdString(copy.path));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
}

void RestoreChoiceDialog::chooseSelected() {
    if (const QTreeWidgetItem* item = m_list->currentItem()) {
        m_chosen = item->data(0, Qt::UserRole).toString();
        accept();
    }
}

void RestoreChoiceDialog::chooseOtherFile() {
    const QString path = FileDialogs::instance().openFile(
        this, QStringLiteral("选择备份文件"),
        {QStringLiteral("Tablewise 数据 (*.mdb)"), QStringLiteral("所有文件 (*)")});
    if (path.isEmpty())
        return;
    m_chosen = path;
    accept();
}
