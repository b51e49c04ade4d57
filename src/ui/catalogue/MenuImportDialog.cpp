#include "ui/catalogue/MenuImportDialog.h"

#include "ui/catalogue/MenuImportModel.h"
#include "ui/common/ListControls.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using ListControls::nameControl;

namespace {

// Column widths are measured on this many rows, not on all of a long file.
constexpr int measuredRows = 200;

} // namespace

MenuImportDialog::MenuImportDialog(const MenuImport::Preview& preview, QWidget* parent)
    : QDialog(parent), m_table(new QTableView(this)) {
    setWindowTitle(QStringLiteral("导入菜单"));
    setObjectName(windowTitle());
    auto* summary = new QLabel(QString::fromStdString(MenuImport::summary(preview)), this);
    nameControl(summary, QStringLiteral("标签_导入摘要"), QStringLiteral("导入摘要"));
    summary->setWordWrap(true);

    nameControl(m_table, QStringLiteral("表格_导入预览"), QStringLiteral("导入预览"));
    m_table->setModel(new MenuImportModel(preview, m_table));
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setResizeContentsPrecision(measuredRows);
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
