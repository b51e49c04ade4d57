#include "ui/history/HistoryWindow.h"
#include "ui/common/ButtonBar.h"
#include "ui/common/ListControls.h"

#include "history/ManagerPassword.h"
#include "history/StoredOrders.h"
#include "spreadsheet/CsvTableWriter.h"
#include "spreadsheet/HistoryExport.h"
#include "spreadsheet/TableFileFormat.h"
#include "storage/values/Clock.h"
#include "ui/common/ExportMessages.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/ManagerCheck.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/PagedListPanel.h"
#include "ui/common/TaskProgress.h"
#include "ui/history/ChangeLogWindow.h"
#include "ui/history/DayFilterDialog.h"
#include "ui/history/ListStatusBar.h"
#include "ui/history/PeriodFilterDialog.h"
#include "ui/history/TillBox.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

using ListControls::attachContextMenu;
using ListControls::nameControl;

namespace {

const QList<PagedListPanel::Column> orderColumns = {{"ID", 40},    {"编号", 50}, {"时间", 160},
                                                    {"合计", 50},  {"实付", 50}, {"桌号", 100},
                                                    {"电话", 100}, {"姓名", 70}, {"地址", 150},
                                                    {"收银台", 80}};

enum OrderColumn { IdColumn = 0, NumberColumn = 1, DateColumn = 2, TelephoneColumn = 6 };

QDate today(const Clock& clock) {
    const DateTime now = clock.now();
    return QDate(now.year, now.month, now.day);
}

} // namespace

HistoryWindow::HistoryWindow(Database& db, PagedList& orders, const Clock& clock, QWidget* parent,
                             const std::optional<QString>& customerTelephone)
    : QDialog(parent), m_db(db), m_orders(orders), m_clock(clock),
      m_panel(new PagedListPanel(db, orders, orderColumns, "超级列表框_存单", this)),
      m_caption(new QLabel(HistoryFilter::allCaption, this)) {
    setWindowTitle("历史订单");
    resize(900, 600);
    nameControl(m_caption, "标签_状态", "状态");

    m_status = new ListStatusBar("状态条_存单", "存单统计",
                                 {"共有存单数据:172条", "合计总额:0", "实付总额:0"}, this);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(buildMenu());
    layout->addWidget(buildButtons());
    layout->addWidget(buildCaptionRow());
    layout->addWidget(m_panel, 1);
    layout->addWidget(m_status);

    QTreeWidget* list = m_panel->list();
    connect(m_panel, &PagedListPanel::deleteKeyPressed, this, &HistoryWindow::deleteOrder);
    attachContextMenu(list, [this] { return contextMenu(); });
    connect(list, &QTreeWidget::itemDoubleClicked, this, &HistoryWindow::editOrder);
    connect(m_panel, &PagedListPanel::pageShown, this, &HistoryWindow::showStatus);
    connect(m_panel, &PagedListPanel::pageFailed, this, [this] {
        m_status->part(0)->setText("共有存单数据:无法读取");
        m_status->part(1)->setText("合计总额:无法读取");
        m_status->part(2)->setText("实付总额:无法读取");
    });

    if (customerTelephone)
        openedFromCustomerWindow(*customerTelephone);
    m_orders.setPageSize(200);
    m_panel->showFirstPage();
}

QMenuBar* HistoryWindow::buildMenu() {
    auto* menuBar = new QMenuBar(this);
    menuBar->setNativeMenuBar(false);
    m_filterMenu = menuBar->addMenu("查询条件");
    nameControl(m_filterMenu, "菜单_查询条件", "查询条件");
    m_filterMenu->addAction("所有数据", this, [this] { applyFilter(HistoryFilter::all()); });
    m_filterMenu->addAction("店内用餐", this, [this] { applyFilter(HistoryFilter::dineIn()); });
    m_filterMenu->addAction("外卖订单", this, [this] { applyFilter(HistoryFilter::takeOut()); });
    m_filterMenu->addAction("指定时间", this, &HistoryWindow::chooseDay);
    m_filterMenu->addAction("指定时间段", this, &HistoryWindow::choosePeriod);
    m_filterMenu->addAction("指定客户", this, &HistoryWindow::chooseCustomer);
    return menuBar;
}

QWidget* HistoryWindow::buildButtons() {
    ButtonBar bar(this);
    m_browseAll = bar.button("浏览所有单据");
    connect(m_browseAll, &QPushButton::clicked, this,
            [this] { applyFilter(HistoryFilter::all()); });
    connect(bar.button("修改"), &QPushButton::clicked, this, &HistoryWindow::editOrder);
    connect(bar.button("删除"), &QPushButton::clicked, this, &HistoryWindow::deleteOrder);
    m_kitchenButton = bar.button("补打厨房单");
    m_kitchenButton->hide();
    connect(m_kitchenButton, &QPushButton::clicked, this, &HistoryWindow::reprintKitchenTickets);
    bar.addStretch();
    connect(bar.button("操作记录"), &QPushButton::clicked, this,
            [this] { ChangeLogWindow(m_db, m_clock, this).exec(); });
    connect(bar.button("导出"), &QPushButton::clicked, this, &HistoryWindow::exportOrders);
    return bar.widget();
}

QWidget* HistoryWindow::buildCaptionRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tills = new TillBox(m_db, row);
    auto* label = new QLabel("收银台：", row);
    label->setBuddy(m_tills);
    layout->addWidget(m_caption, 1);
    layout->addWidget(label);
    layout->addWidget(m_tills);
    connect(m_tills, &QComboBox::currentIndexChanged, this, [this] { applyFilter(m_filter); });
    return row;
}

void HistoryWindow::openedFromCustomerWindow(const QString& telephone) {
    m_filterMenu->setEnabled(false);
    m_browseAll->setEnabled(false);
    if (telephone.isEmpty())
        return;
    m_filter = HistoryFilter::customer(telephone.toStdString());
    m_orders.setOrderFilter(m_filter);
    m_caption->setText(QString::fromStdString(m_filter.caption));
    setWindowTitle(telephone + " 的历史订单");
}

QString HistoryWindow::statusCaption() const {
    return m_caption->text();
}

void HistoryWindow::showStatus(const PagedList::Page& page) {
    if (page.browsingAll)
        m_caption->setText(HistoryFilter::allCaption);
    m_status->part(0)->setText(QString("共有存单数据:%1条").arg(page.count));
    m_status->part(1)->setText(
        QString("合计总额:%1").arg(QString::fromStdString(page.totalSum.text())));
    m_status->part(2)->setText(
        QString("实付总额:%1").arg(QString::fromStdString(page.paidSum.text())));
}

void HistoryWindow::applyFilter(const HistoryFilter& filter) {
    m_filter = filter;
    const HistoryFilter atTill = filter.atTill(m_tills->till());
    m_orders.setOrderFilter(atTill);
    m_panel->showFirstPage();
    m_caption->setText(QString::fromStdString(atTill.caption));
}

void HistoryWindow::chooseDay() {
    DayFilterDialog dialog(today(m_clock), this);
    if (dialog.exec() == QDialog::Accepted)
        applyFilter(dialog.filter());
}

void HistoryWindow::choosePeriod() {
    PeriodFilterDialog dialog(today(m_clock), this);
    if (dialog.exec() == QDialog::Accepted)
        applyFilter(dialog.filter());
}

void HistoryWindow::chooseCustomer() {
    QString telephone;
    if (!MessageBoxes::instance().askText(this, "浏览客户数据",
                                          "请输入客户电话：按 Esc键 取消查询。", telephone) ||
        telephone.isEmpty())
        return;
    applyFilter(HistoryFilter::customer(telephone.toStdString()));
}

void HistoryWindow::editOrder() {
    if (m_panel->selectedIndex() < 0) {
        MessageBoxes::instance().inform(this, "请选择要修改的项目。");
        return;
    }
    if (!m_editHandler)
        return;
    if (m_editHandler(this, m_panel->selectedText(IdColumn), m_panel->selectedText(DateColumn)))
        accept();
}

void HistoryWindow::setKitchenHandler(KitchenHandler handler) {
    m_kitchenHandler = std::move(handler);
    m_kitchenButton->setVisible(bool(m_kitchenHandler));
}

void HistoryWindow::reprintKitchenTickets() {
    if (m_panel->selectedIndex() < 0) {
        MessageBoxes::instance().inform(this, "请选择要补打厨房单的订单。");
        return;
    }
    if (m_kitchenHandler)
        m_kitchenHandler(this, m_panel->selectedText(IdColumn));
}

void HistoryWindow::deleteOrder() {
    const int index = m_panel->selectedIndex();
    if (index < 0) {
        MessageBoxes::instance().inform(this, "请选择要删除的项目。");
        return;
    }
    const std::string question =
        StoredOrders::deleteQuestion(m_panel->selectedText(NumberColumn).toStdString(),
                                     m_panel->selectedText(DateColumn).toStdString());
    if (!MessageBoxes::instance().ask(this, QString::fromStdString(question)) ||
        !ManagerCheck::passes(this, m_db, ManagerPassword::deletionRefused))
        return;
    StoredOrders orders(m_db);
    if (!orders.deleteOrder(m_panel->selectedText(IdColumn).toStdString())) {
        MessageBoxes::instance().inform(this, QString::fromStdString(orders.deleteFailure()),
                                        MessageBoxes::Icon::Warning);
        return;
    }
    m_panel->reloadAfterRemoval(index);
    MessageBoxes::instance().inform(this, "处理成功。", MessageBoxes::Icon::None);
}

void HistoryWindow::exportOrders() {
    const QString path = FileDialogs::instance().saveFile(this, "导出历史订单", "历史订单.xlsx",
                                                          FileDialogs::spreadsheetFilters());
    if (path.isEmpty())
        return;
    WriteResult result;
    {
        TaskProgress progress(this, "正在导出历史订单……", "导出历史订单");
        result = HistoryExport(m_db, m_orders).toFile(path.toStdString(), progress.callback());
    }
    const std::string lines = CsvTableWriter::tablePath(path.toStdString(), "明细");
    ExportMessages::tell(this, result, path,
                         isCsvPath(path.toStdString())
                             ? "导出完成。订单的菜品明细在同一文件夹的另一个文件中：" +
                                   QFileInfo(QString::fromStdString(lines)).fileName()
                             : QStringLiteral("导出完成。"));
}

QMenu* HistoryWindow::contextMenu() {
    if (m_panel->selectedIndex() < 0)
        return nullptr;
    auto* menu = new QMenu(this);
    menu->addAction("修改", this, &HistoryWindow::editOrder);
    menu->addAction("删除", this, &HistoryWindow::deleteOrder);
    if (m_kitchenHandler)
        menu->addAction("补打厨房单", this, &HistoryWindow::reprintKitchenTickets);
    const QString telephone = m_panel->selectedText(TelephoneColumn);
    QAction* customer = menu->addAction("查看该客户的所有订单", this, [this, telephone] {
        applyFilter(HistoryFilter::customer(telephone.toStdString()));
    });
    customer->setEnabled(!telephone.isEmpty() &&
                         !statusCaption().contains(HistoryFilter::customerCaptionMark));
    return menu;
}

void HistoryWindow::done(int result) {
    // The next opening from the main window lists every order again.
    m_orders.setConditionFragment({});
    QDialog::done(result);
}
