#include "ui/history/CustomerWindow.h"
#include "ui/common/ButtonBar.h"
#include "ui/common/ListControls.h"

#include "catalogue/CustomerFile.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/PagedListPanel.h"
#include "ui/history/CustomerEditDialog.h"
#include "ui/history/ListStatusBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using ListControls::addCaptionButton;
using ListControls::attachContextMenu;
using ListControls::nameControl;

namespace {

const QList<PagedListPanel::Column> customerColumns = {
    {"", 0}, {"电话", 160}, {"姓名", 80}, {"地址", 270}};

enum CustomerColumn { TelephoneColumn = 1, NameColumn = 2, AddressColumn = 3 };

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

CustomerWindow::CustomerWindow(Database& db, PagedList& customers, PagedList& orders,
                               const Clock& clock, QWidget* parent)
    : QDialog(parent), m_db(db), m_orders(orders), m_clock(clock),
      m_panel(new PagedListPanel(db, customers, customerColumns, "超级列表框_客户", this)) {
    setWindowTitle("客户设置");
    resize(640, 560);

    auto* statusBar = new ListStatusBar("状态条_客户", "客户统计", {"共有客户数据:172条"}, this);
    m_status = statusBar->part(0);
    statusBar->addWidget(new QWidget(statusBar), 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildSearchRow());
    layout->addWidget(buildButtons());
    layout->addWidget(m_panel, 1);
    layout->addWidget(statusBar);

    QTreeWidget* list = m_panel->list();
    connect(m_panel, &PagedListPanel::deleteKeyPressed, this, &CustomerWindow::deleteCustomer);
    attachContextMenu(list, [this] { return contextMenu(); });
    connect(list, &QTreeWidget::itemDoubleClicked, this, [this] { openModal(modifyDialog()); });
    connect(m_panel, &PagedListPanel::pageShown, this, [this](const PagedList::Page& page) {
        m_status->setText(QString("共有客户数据:%1条").arg(page.count));
    });
    connect(m_panel, &PagedListPanel::pageFailed, this,
            [this] { m_status->setText("共有客户数据:无法读取"); });

    customers.setPageSize(200);
    m_panel->showFirstPage();
}

QWidget* CustomerWindow::buildSearchRow() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel("查找(输入客户电话或姓名)：", bar));
    m_searchField = new QLineEdit(bar);
    nameControl(m_searchField, "编辑框_查找", "查找(输入客户电话或姓名)：");
    row->addWidget(m_searchField, 1);
    connect(addCaptionButton(row, bar, "查找"), &QPushButton::clicked, this,
            &CustomerWindow::search);
    connect(m_searchField, &QLineEdit::returnPressed, this, &CustomerWindow::search);
    return bar;
}

QWidget* CustomerWindow::buildButtons() {
    ButtonBar bar(this);
    connect(bar.button("浏览所有客户"), &QPushButton::clicked, this, &CustomerWindow::browseAll);
    connect(bar.button("添加"), &QPushButton::clicked, this, [this] { openModal(addDialog()); });
    connect(bar.button("修改"), &QPushButton::clicked, this, [this] { openModal(modifyDialog()); });
    connect(bar.button("删除"), &QPushButton::clicked, this, &CustomerWindow::deleteCustomer);
    bar.addStretch();
    return bar.widget();
}

void CustomerWindow::openModal(std::unique_ptr<QDialog> dialog) {
    if (dialog)
        dialog->exec();
}

void CustomerWindow::search() {
    const std::string text = m_searchField->text().toStdString();
    if (const std::string refusal = CustomerFile::searchRefusal(text); !refusal.empty()) {
        MessageBoxes::instance().inform(this, QString::fromStdString(refusal),
                                        MessageBoxes::Icon::Information, "提示");
        return;
    }
    m_panel->pagedList().setConditionFragment(CustomerFile::searchFragment(text));
    m_panel->showFirstPage();
}

void CustomerWindow::browseAll() {
    m_searchField->clear();
    m_panel->pagedList().setConditionFragment({});
    m_panel->showFirstPage();
}

Customer CustomerWindow::selectedCustomer() const {
    return {m_panel->selectedText(0).toStdString(),
            m_panel->selectedText(TelephoneColumn).toStdString(),
            m_panel->selectedText(NameColumn).toStdString(),
            m_panel->selectedText(AddressColumn).toStdString()};
}

void CustomerWindow::deleteCustomer() {
    const int index = m_panel->selectedIndex();
    if (index < 0) {
        MessageBoxes::instance().inform(this, "请选择要删除的项目。");
        return;
    }
    const Customer customer = selectedCustomer();
    if (!MessageBoxes::instance().ask(this, qs(CustomerFile::deleteQuestion(customer))))
        return;
    CustomerFile file(m_db);
    if (!file.deleteCustomer(customer.telephone)) {
        MessageBoxes::instance().inform(this, qs(file.deleteFailure()),
                                        MessageBoxes::Icon::Warning);
        return;
    }
    m_panel->reloadAfterRemoval(index);
    MessageBoxes::instance().inform(this, "处理成功。", MessageBoxes::Icon::None);
}

std::unique_ptr<CustomerEditDialog> CustomerWindow::addDialog() {
    auto dialog = std::make_unique<CustomerEditDialog>(CustomerEditDialog::Mode::Add, this);
    CustomerEditDialog* raw = dialog.get();
    connect(raw, &CustomerEditDialog::saveRequested, this, [this, raw] { save(*raw); });
    return dialog;
}

std::unique_ptr<CustomerEditDialog> CustomerWindow::modifyDialog() {
    if (m_panel->selectedIndex() < 0) {
        MessageBoxes::instance().inform(this, "请选择要修改的项目。");
        return nullptr;
    }
    auto dialog = std::make_unique<CustomerEditDialog>(CustomerEditDialog::Mode::Modify, this);
    dialog->setFields(selectedCustomer());
    CustomerEditDialog* raw = dialog.get();
    connect(raw, &CustomerEditDialog::saveRequested, this, [this, raw] { save(*raw); });
    return dialog;
}

void CustomerWindow::save(CustomerEditDialog& dialog) {
    CustomerFile file(m_db);
    auto confirm = [&](MessageBoxes::Icon icon, MessageBoxes::Default defaultButton) {
        return [&dialog, icon, defaultButton](const std::string& question) {
            return MessageBoxes::instance().ask(&dialog, qs(question), icon, "提示", defaultButton);
        };
    };
    const CustomerFile::Result result =
        dialog.mode() == CustomerEditDialog::Mode::Add
            ? file.addCustomer(dialog.typed(),
                               confirm(MessageBoxes::Icon::Warning, MessageBoxes::Default::No))
            : file.modifyCustomer(dialog.typed(), confirm(MessageBoxes::Icon::Question,
                                                          MessageBoxes::Default::Yes));
    switch (result.outcome) {
    case CustomerFile::Outcome::Refused:
        MessageBoxes::instance().inform(&dialog, qs(result.message));
        return;
    case CustomerFile::Outcome::Declined:
        return;
    case CustomerFile::Outcome::Failed:
        MessageBoxes::instance().inform(&dialog, qs(result.message), MessageBoxes::Icon::Warning);
        return;
    case CustomerFile::Outcome::Updated:
        showUpdated(result.customer);
        dialog.accept();
        break;
    case CustomerFile::Outcome::Added:
        m_panel->refresh();
        dialog.clearFields();
        break;
    }
    MessageBoxes::instance().inform(&dialog, qs(result.message), MessageBoxes::Icon::None);
}

void CustomerWindow::showUpdated(const Customer& customer) {
    QTreeWidget* list = m_panel->list();
    const int row = findRow(list, qs(customer.telephone), TelephoneColumn);
    if (row < 0)
        return;
    list->topLevelItem(row)->setText(NameColumn, qs(customer.name));
    list->topLevelItem(row)->setText(AddressColumn, qs(customer.address));
    ListControls::selectRow(list, row);
}

std::unique_ptr<HistoryWindow> CustomerWindow::historyDialog() {
    auto history = std::make_unique<HistoryWindow>(m_db, m_orders, m_clock, this,
                                                   m_panel->selectedText(TelephoneColumn));
    history->setEditHandler(m_editHandler);
    return history;
}

QMenu* CustomerWindow::contextMenu() {
    if (m_panel->selectedIndex() < 0)
        return nullptr;
    auto* menu = new QMenu(this);
    menu->addAction("修改", this, [this] { openModal(modifyDialog()); });
    menu->addAction("删除", this, &CustomerWindow::deleteCustomer);
    menu->addAction("查看该客户的所有订单", this, [this] { openModal(historyDialog()); });
    return menu;
}
