#include "ui/catalogue/MenuImportDialog.h"

#include "ui/common/ListControls.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using ListControls::nameControl;

namespace {

using Kind = MenuImport::Kind;

QColor colourOf(Kind kind) {
    switch (kind) {
    case Kind::Refused:
        return QColor(0xC0, 0x00, 0x00);
    case Kind::Change:
        return QColor(0x00, 0x00, 0xC0);
    case Kind::Same:
        return QColor(0x80, 0x80, 0x80);
    default:
        return QColor(Qt::black);
    }
}

} // namespace

QString MenuImportDialog::kindText(Kind kind) {
    switch (kind) {
    case Kind::Add:
        return QStringLiteral("新增");
    case Kind::Change:
        return QStringLiteral("修改");
    case Kind::Same:
        return QStringLiteral("不变");
    default:
        return QStringLiteral("不能导入");
    }
}

MenuImportDialog::MenuImportDialog(const MenuImport::Preview& preview, QWidget* parent)
    : QDialog(parent), m_table(new QTableWidget(this)) {
    setWindowTitle(QStringLiteral("导入菜单"));
    setObjectName(windowTitle());
    auto* summary = new QLabel(QString::fromStdString(MenuImport::summary(preview)), this);
    nameControl(summary, QStringLiteral("标签_导入摘要"), QStringLiteral("导入摘要"));
    summary->setWordWrap(true);

    const QStringList headings = {"行",   "结果", "数字代号", "字母代号",
                                  "菜名", "价格", "单位",     "说明"};
    nameControl(m_table, QStringLiteral("表格_导入预览"), QStringLiteral("导入预览"));
    m_table->setColumnCount(headings.size());
    m_table->setHorizontalHeaderLabels(headings);
    m_table->setRowCount(static_cast<int>(preview.entries.size()));
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const auto& entry = preview.entries[row];
        const QStringList cells = {
            QString::number(entry.line),
            kindText(entry.kind),
            QString::fromStdString(entry.dish.code),
            QString::fromStdString(entry.dish.letters),
            QString::fromStdString(entry.dish.name),
            entry.dish.price > 0 ? QString::fromStdString(entry.dish.priceText()) : QString(),
            QString::fromStdString(entry.dish.unit),
            QString::fromStdString(entry.note)};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setForeground(colourOf(entry.kind));
            m_table->setItem(row, column, item);
        }
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* import = buttons->addButton(QStringLiteral("导入"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    nameControl(import, QStringLiteral("按钮_导入"), import->text());
    nameControl(cancel, QStringLiteral("按钮_取消"), cancel->text());
    import->setEnabled(preview.anythingToStore());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);
    resize(820, 480);
}
