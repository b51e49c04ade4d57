#include "ui/order/MainWindow.h"

#include "history/ManagerPassword.h"
#include "orders/DeliveryCustomer.h"
#include "orders/LastOrder.h"
#include "orders/OrderDefaults.h"
#include "orders/OrderEditor.h"
#include "orders/OrderNumbering.h"
#include "orders/OrderTime.h"
#include "orders/Settlement.h"
#include "receipt/ReceiptSettings.h"
#include "storage/config/ProgramFolder.h"
#include "storage/engine/Database.h"
#include "storage/values/Clock.h"
#include "storage/values/Values.h"
#include "ui/catalogue/SoldOutDialog.h"
#include "ui/common/HelpDocuments.h"
#include "ui/common/ListControls.h"
#include "ui/common/ManagerCheck.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/PopupComboBox.h"
#include "ui/order/AmountQuestion.h"
#include "ui/order/DishResultModel.h"
#include "ui/order/HeldOrdersDialog.h"
#include "ui/order/HelpLinks.h"
#include "ui/order/OrderGridView.h"
#include "ui/order/TimeFormatDialog.h"
#include "ui/receipt/CashDrawer.h"
#include "ui/shift/ShiftMenu.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <functional>
#include <tuple>

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

std::string text(const QLineEdit* edit) {
    return edit->text().toStdString();
}

} // namespace

MainWindow::MainWindow(Database& db, Clock& clock, QWidget* parent)
    : QMainWindow(parent), m_db(db), m_clock(clock), m_settings(db), m_session(db, clock),
      m_receipts(db, this, [this] { return m_session.receipt(); }),
      m_tools(db, clock, this,
              {[this](QWidget* owner, const QString& id, const QString& date) {
                   return editStoredOrder(owner, id, date);
               },
               [this] { reloadDishes(); }, [this] { reloadTables(); },
               // Today now has orders: a new order must not reuse their numbers.
               [this] { refreshNumbering(); },
               [this](QWidget* owner, const QString& id) { m_kitchen.reprint(owner, id); }}),
      m_copies(
          db, clock, this, [this](const QString& failure) { m_form.backupPart->setText(failure); },
          [this] { reloadAfterRestore(); }),
      m_kitchen(db, this),
      m_background(db, this,
                   {[this] {
                        // A code typed, or a question open over the window,
                        // begins the next order as much as a dish does.
                        syncSession();
                        return m_session.untouched() &&
                               m_form.dishCode->text() == m_searchWhenCleared &&
                               !QApplication::activeModalWidget();
                    },
                    [this](const OrderDraft& stored) {
                        m_session.showNotPrinted(stored);
                        showSession();
                    }}),
      m_held(db, clock) {
    m_form.build(this);
    m_session.storeAlongWithSettlement(
        [this](const OrderDraft&) { return m_held.settleOnScreen(); });
    m_results = new DishResultModel(m_dishes, this);
    m_results->showIn(m_form.dishResults);
    m_helpLinks = new HelpLinks(m_form.tutorialLink, m_form.printingHelpLink, this);
    m_shiftMenu = new ShiftMenu(db, clock, this, m_form.helpMenu, m_form.statusBar);
    m_background.showIn(m_form.statusBar);

    connectControls();
    registerFunctionKeys();
    m_lastSeenDate = m_clock.now().dateOnly();
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("时钟1"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &MainWindow::tick);
}

MainWindow::~MainWindow() {
    // The controls outlive the members: a box losing the focus as they close
    // must not reach the order's session.
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
}

void MainWindow::startUp() {
    reloadTables();
    m_form.discountName->insertItem(0, QStringLiteral("无"));
    restoreDefaults();
    refreshNumbering();
    showHeldCount();
    m_background.remindOwed(m_timeFormat);
    reloadDishes();
    m_form.importAction->setEnabled(m_db.isServer());
    m_startedUp = true;
    tick();
    m_timer->start();
    m_copies.startAutomaticBackup();
    m_shiftMenu->askCashier();
    m_form.dishCode->setFocus();
}

void MainWindow::restoreDefaults() {
    m_timeFormat = OrderTime::loadChoice(m_settings);
    m_roundingRule = PaymentRounding::load(m_settings);
    m_form.showRoundingRule(m_roundingRule);
    m_form.showDefaults(OrderDefaults::load(m_settings));
}

void MainWindow::saveDefaults() {
    const OrderDefaults defaults = m_form.defaults();
    if (const std::string refused = defaults.refusal(); !refused.empty())
        MessageBoxes::instance().inform(
            this, qs("票头、店铺名称和减免没有保存为下次的默认值：" + refused),
            MessageBoxes::Icon::Warning);
    else if (!defaults.save(m_settings))
        MessageBoxes::instance().inform(
            this, qs(m_settings.failureMessage("保存票头、店铺名称、减免和支付方式")),
            MessageBoxes::Icon::Warning);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    m_background.finishBeforeClosing();
    if (m_startedUp) {
        m_held.leaveScreen();
        saveDefaults();
        m_copies.backUpOnClosing();
    }
    event->accept();
    emit closed();
}

// --- wiring -----------------------------------------------------------------

void MainWindow::connectControls() {
    connectOrderEntry();
    connectCommands();
    // Every change the receipt shows refreshes the preview.
    for (const auto& [edit, field] : m_form.draftEdits())
        connect(edit, &QLineEdit::editingFinished, this, &MainWindow::orderChanged);
    for (const auto& [box, field] : m_form.draftDropDowns())
        connect(box, &QComboBox::currentIndexChanged, this, &MainWindow::orderChanged);
    for (QLineEdit* edit :
         {m_form.tableCode, m_form.telephone, m_form.name, m_form.address, m_form.discountPortions,
          m_form.discountAmount, m_form.total, m_form.paid, m_form.actuallyPaid})
        edit->installEventFilter(this);
    m_form.dishCode->installEventFilter(this);
    m_form.dishResults->installEventFilter(this);
}

void MainWindow::connectOrderEntry() {
    connect(m_form.dishCode, &QLineEdit::textChanged, this, &MainWindow::searchDishes);
    connect(m_form.dishResults, &QTreeView::doubleClicked, this, &MainWindow::chooseSelectedDish);
    connect(m_form.grid, &OrderGridView::cellEdited, this, &MainWindow::onGridCellEdited);
    connect(m_form.grid, &OrderGridView::deletePressed, this, &MainWindow::deleteCurrentLine);
    connect(m_form.grid, &OrderGridView::contextMenuWanted, this, &MainWindow::showGridMenu);
    connect(m_form.deleteLineAction, &QAction::triggered, this, &MainWindow::deleteCurrentLine);
    connect(m_form.discountAmount, &QLineEdit::textChanged, this,
            &MainWindow::onDiscountAmountChanged);
    connect(m_form.tableCode, &QLineEdit::textChanged, this, &MainWindow::onTableCodeChanged);
    connect(m_form.telephone, &QLineEdit::textChanged, this, &MainWindow::onTelephoneChanged);
    connect(m_form.saveCustomerButton, &QPushButton::clicked, this, &MainWindow::saveCustomer);
    connect(m_form.lastOrderButton, &QPushButton::clicked, this, &MainWindow::fillLastOrder);
    connect(m_form.timeFormatButton, &QPushButton::clicked, this, &MainWindow::chooseTimeFormat);
    const std::tuple<PopupComboBox*, const char*, const char*> dropDowns[] = {
        {m_form.header, "Select * from 票头设置", "票头"},
        {m_form.shop, "Select * from 店名", "店铺名称"},
        {m_form.discountName, "Select * from 减免", "减免名称"},
        {m_form.table, "Select * from 桌号", "桌号名称"}};
    for (const auto& [box, select, column] : dropDowns)
        connect(box, &PopupComboBox::aboutToShowPopup, this,
                [this, b = box, s = select, c = column] {
                    showReadFailure(fillDropDown(b, m_db, s, c));
                });
}

void MainWindow::connectCommands() {
    connect(m_form.settleButton, &QPushButton::clicked, this, &MainWindow::settleKey);
    connect(m_form.printOnlyButton, &QPushButton::clicked, this, &MainWindow::printOnly);
    connect(m_form.clearButton, &QPushButton::clicked, this, &MainWindow::confirmClearOrder);
    connect(m_form.holdButton, &QPushButton::clicked, this, &MainWindow::holdOrder);
    connect(m_form.takeHeldButton, &QPushButton::clicked, this, &MainWindow::takeHeldOrder);
    connect(m_form.previewButton, &QPushButton::clicked, this, [this] {
        syncSession();
        m_receipts.togglePreview();
    });

    const std::pair<QAction*, std::function<void()>> actions[] = {
        {m_form.toolButtons[0], [this] { m_tools.openOrderHistory(); }},
        {m_form.toolButtons[1], [this] { m_tools.openIncomeReport(); }},
        {m_form.toolButtons[2], [this] { m_tools.openSalesStatistics(); }},
        {m_form.toolButtons[4], [this] { m_tools.openCustomers(); }},
        {m_form.toolButtons[5], [this] { m_tools.openDishCatalogue(); }},
        {m_form.toolButtons[6], [this] { m_tools.openTableList(); }},
        {m_form.toolButtons[8], [this] { m_form.dropMenu(8, m_form.settingsMenu); }},
        {m_form.toolButtons[9], [this] { m_form.dropMenu(9, m_form.helpMenu); }},
        {m_form.demoDataAction, [this] { m_tools.generateDemoData(m_dishes, m_tables); }},
        {m_form.demoRemovalAction, [this] { m_tools.removeDemoData(); }},
        {m_form.headerListAction, [this] { m_tools.openHeaderList(); }},
        {m_form.shopListAction, [this] { m_tools.openShopList(); }},
        {m_form.discountListAction, [this] { m_tools.openDiscountList(); }},
        {m_form.stationListAction, [this] { m_tools.openStationList(); }},
        {m_form.soldOutAction, [this] { openSoldOut(); }},
        {m_form.printSettingsAction,
         [this] {
             syncSession();
             m_receipts.openPrintSettings();
         }},
        {m_form.openDrawerAction, CashDrawer::command(m_db, m_form.openDrawerAction, this)},
        {m_form.changeLogAction, [this] { m_tools.openChangeLog(); }},
        {m_form.passwordAction, [this] { m_tools.openManagerPassword(); }},
        {m_form.backupAction, [this] { m_copies.backUpByHand(); }},
        {m_form.restoreAction, [this] { m_copies.chooseRestore(); }},
        {m_form.databaseSettingsAction, [this] { m_tools.openDatabaseSettings(); }},
        {m_form.importAction, [this] { m_copies.importLocalData(); }},
        {m_form.tutorialAction,
         [this] { HelpDocuments::show(this, HelpDocuments::Document::Tutorial); }},
        {m_form.printingHelpAction,
         [this] { HelpDocuments::show(this, HelpDocuments::Document::Printing); }},
        {m_form.aboutAction, [this] { showAbout(); }},
    };
    for (const auto& [action, run] : actions)
        connect(action, &QAction::triggered, this, run);
    for (int rule = 0; rule < m_form.roundingActions.size(); ++rule)
        connect(m_form.roundingActions[rule], &QAction::triggered, this,
                [this, rule] { chooseRounding(PaymentRounding::Rule(rule)); });
}

// Window shortcuts act only while this window or its receipt preview is the
// active one, which is what the function keys need; another program keeps
// its own F keys. The preview takes over this window's actions.
void MainWindow::registerFunctionKeys() {
    const std::pair<int, std::function<void()>> keys[] = {
        {Qt::Key_F1, [this] { enterField(m_form.dishCode); }},
        {Qt::Key_F2, [this] { enterField(m_form.tableCode); }},
        {Qt::Key_F3, [this] { enterField(m_form.telephone); }},
        {Qt::Key_F4, [this] { enterField(m_form.discountName); }},
        {Qt::Key_F5, [this] { enterField(m_form.total); }},
        {Qt::Key_F6, [this] { enterField(m_form.grid); }},
        {Qt::Key_F7, [this] { enterField(m_form.remark); }},
        {Qt::Key_F8, [this] { holdOrder(); }},
        {Qt::Key_F9, [this] { takeHeldOrder(); }},
        {Qt::Key_F10, [this] { confirmClearOrder(); }},
        {Qt::Key_F11, [this] { printOnly(); }},
        {Qt::Key_F12, [this] { settleKey(); }},
    };
    for (const auto& [key, action] : keys) {
        auto* shortcut = new QAction(this);
        shortcut->setShortcut(QKeySequence(key));
        shortcut->setShortcutContext(Qt::WindowShortcut);
        connect(shortcut, &QAction::triggered, this, action);
        addAction(shortcut);
    }
}

// A code or number typed after the key replaces what the field held; the
// remark is added to instead.
void MainWindow::enterField(QWidget* field) {
    activateWindow();
    field->setFocus(Qt::ShortcutFocusReason);
    auto* edit = qobject_cast<QLineEdit*>(field);
    if (edit == m_form.remark)
        edit->end(false);
    else if (edit)
        edit->selectAll();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && edit != m_form.dishCode)
            QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (watched == m_form.dishCode && (key == Qt::Key_Up || key == Qt::Key_Down)) {
            moveResultSelection(key == Qt::Key_Up ? -1 : 1);
            return true;
        }
        if ((watched == m_form.dishCode || watched == m_form.dishResults) && enter) {
            chooseSelectedDish();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- the order on screen ----------------------------------------------------

OrderDraft MainWindow::orderDraft() const {
    return m_form.draft();
}

void MainWindow::loadOrderDraft(const OrderDraft& d) {
    m_form.showDraft(d);
}

OrderGrid MainWindow::orderGrid() const {
    return m_form.grid->grid();
}

bool MainWindow::orderHasContent() const {
    return ::orderHasContent(orderDraft());
}

void MainWindow::clearOrder() {
    // A payment method added to show a stored order is not offered to new ones.
    m_form.dropAddedPaymentMethods();
    m_held.leaveScreen();
    syncSession();
    m_kitchen.orderCleared();
    m_session.clear(showCounters());
    showHeldCount();
    showSession();
    enterField(m_form.dishCode);
    m_searchWhenCleared = m_form.dishCode->text();
}

void MainWindow::syncSession() {
    m_session.setOrder(orderDraft());
}

void MainWindow::showSession() {
    loadOrderDraft(m_session.order());
    m_form.lastOrderButton->setEnabled(!m_form.telephone->text().isEmpty());
    m_form.showMode(m_session.mode());
    m_receipts.refreshPreview();
}

void MainWindow::orderChanged() {
    syncSession();
    m_receipts.refreshPreview();
}

void MainWindow::reloadTables() {
    if (const auto read = m_tables.load(m_db); !read)
        tell(qs(read.message("读取桌号列表", "桌号列表保持原样。")));
}

void MainWindow::reloadDishes() {
    m_results->clear();
    if (const auto read = m_dishes.load(m_db); !read)
        tell(qs(read.message("读取菜单", "点菜列表保持原样。")));
    QStringList names;
    for (const Dish& dish : m_dishes.dishes())
        names.append(qs(dish.name));
    m_form.grid->setDishNames(names);
    reloadSoldOut();
    searchDishes();
}

std::optional<int> MainWindow::showCounters() {
    const ReadResult<TodayCounters> counters = nextOrderNumber(m_db, m_clock.now());
    if (!counters) {
        // A server out of reach is named, so the cashier knows where to look.
        const QString where = counters.failure() == StorageFailure::Unreachable
                                  ? QStringLiteral("（连接不上数据库服务器 ") +
                                        qs(m_db.serverName()) + QStringLiteral("）")
                                  : QString();
        m_form.orderCountPart->setText(QString::fromUtf8(TodayCounters::unreadCountCaption) +
                                       where);
        m_form.incomePart->setText(QString::fromUtf8(TodayCounters::unreadIncomeCaption));
        return std::nullopt;
    }
    m_form.orderCountPart->setText(qs(counters->countCaption()));
    m_form.incomePart->setText(qs(counters->incomeCaption()));
    return counters->nextNumber;
}

void MainWindow::refreshNumbering() {
    const std::optional<int> next = showCounters();
    // An order stored or being edited keeps its own number.
    if (m_session.mode() != OrderSession::Mode::New)
        return;
    // Unknown, the number stays empty and settling reads it again.
    m_form.number->setText(next ? QString::number(*next) : QString());
    syncSession();
}

void MainWindow::tick() {
    m_helpLinks->blink();

    const DateTime now = m_clock.now();
    if (now.dateOnly() != m_lastSeenDate) {
        m_lastSeenDate = now.dateOnly();
        refreshNumbering();
        // Yesterday's sold-out dishes are sold again.
        reloadSoldOut();
        // A till left running overnight still gets its copy of the day.
        m_copies.startAutomaticBackup();
    }
    m_held.keepLease();
    // Other tills hold and take orders too.
    if (++m_ticks % 10 == 0) {
        showHeldCount();
        reloadSoldOut();
    }
    // A stored order keeps its own time.
    if (m_session.mode() == OrderSession::Mode::New) {
        const QString time = qs(OrderTime::format(now, m_timeFormat));
        if (m_form.orderTime->text() != time) {
            m_form.orderTime->setText(time);
            syncSession();
        }
    }
}

// --- order entry ------------------------------------------------------------

void MainWindow::searchDishes() {
    m_results->setMatches(m_dishes.search(text(m_form.dishCode)));
    if (m_results->rowCount() > 0)
        m_form.dishResults->setCurrentIndex(m_results->index(0, DishResultModel::Code));
}

void MainWindow::moveResultSelection(int step) {
    const int row = m_form.dishResults->currentIndex().row() + step;
    if (row < 0 || row >= m_results->rowCount())
        return;
    const QModelIndex index = m_results->index(row, DishResultModel::Code);
    m_form.dishResults->setCurrentIndex(index);
    m_form.dishResults->scrollTo(index);
}

void MainWindow::chooseSelectedDish() {
    if (m_results->rowCount() == 0)
        return;
    const int row = std::max(0, m_form.dishResults->currentIndex().row());
    const Dish& dish = m_dishes.dishes().at(m_results->dishAt(row));
    const auto [entry, told] = SoldOut::entry(m_results->soldOut(), dish.name);
    if (entry == SoldOut::Entry::Refused) {
        tell(qs(told));
        return;
    }
    if (entry == SoldOut::Entry::Ask && !MessageBoxes::instance().ask(this, qs(told)))
        return;
    int quantity = 1;
    const QString prompt = QStringLiteral("请输入菜品：") + qs(dish.name) +
                           QStringLiteral(" 的数量。\r\n\r\n按 Esc键 取消选择。");
    // The range of the quantity column of a stored line.
    if (!MessageBoxes::instance().askInteger(this, QStringLiteral("菜品选择"), prompt, quantity,
                                             -32768, 32767))
        return;
    OrderGrid grid = orderGrid();
    const int gridRow = grid.enterDish(dish.name, quantity, m_dishes);
    m_form.grid->setGrid(grid);
    m_form.grid->setCurrentGridCell(gridRow, OrderGrid::Quantity);
    applyLineTotals(grid);
    orderChanged();
    enterField(m_form.dishCode);
}

void MainWindow::applyLineTotals(const OrderGrid& grid) {
    m_form.showTotals(grid.totals(text(m_form.discountAmount), m_roundingRule));
}

void MainWindow::onGridCellEdited(int gridRow, int column) {
    OrderGrid grid = orderGrid();
    if (!grid.recomputeLine(gridRow, column, m_dishes))
        return;
    m_form.grid->setGrid(grid);
    applyLineTotals(grid);
    orderChanged();
}

void MainWindow::onDiscountAmountChanged() {
    if (const auto totals =
            orderGrid().totalsForDiscount(text(m_form.discountAmount), m_roundingRule))
        m_form.showTotals(*totals);
}

void MainWindow::deleteCurrentLine() {
    OrderGrid grid = orderGrid();
    const int row = m_form.grid->currentGridRow();
    if (!grid.isDishRow(row))
        return;
    if (!MessageBoxes::instance().ask(this, QStringLiteral("是否删除光标所在的整行数据。")))
        return;
    grid.deleteRow(row);
    m_form.grid->setGrid(grid);
    applyLineTotals(grid);
    orderChanged();
}

void MainWindow::showGridMenu(const QPoint& globalPos) {
    const OrderGrid grid = orderGrid();
    const int row = m_form.grid->currentGridRow();
    if (row >= 1 && row < grid.rowCount() - 1)
        m_form.gridMenu->popup(globalPos);
}

void MainWindow::onTableCodeChanged() {
    const TableCache::Choice choice = m_tables.chooseByCode(text(m_form.tableCode));
    m_form.showTables(choice.names, choice.selected);
}

// Reads made while the cashier types or opens a list tell their failure in
// the status bar rather than in a box that would have to be closed each time.
void MainWindow::showReadFailure(const QString& failure) {
    if (!failure.isEmpty())
        m_form.statusBar->showMessage(failure, 10000);
}

void MainWindow::onTelephoneChanged() {
    m_form.lastOrderButton->setEnabled(!m_form.telephone->text().isEmpty());
    const ReadResult<DeliveryCustomer> customer =
        DeliveryCustomer::lookupCustomerByPhone(m_db, text(m_form.telephone));
    if (!customer) {
        showReadFailure(qs(DeliveryCustomer::lookupFailure(customer)));
        return;
    }
    m_form.statusBar->clearMessage();
    m_form.name->setText(qs(customer->name));
    m_form.address->setText(qs(customer->address));
}

void MainWindow::saveCustomer() {
    const DeliveryCustomer::SaveResult saved = DeliveryCustomer::saveNew(
        m_db, text(m_form.telephone), text(m_form.name), text(m_form.address));
    if (saved.outcome == DeliveryCustomer::Saved::Failed)
        MessageBoxes::instance().inform(this, qs(saved.message), MessageBoxes::Icon::Warning);
}

void MainWindow::confirmClearOrder() {
    const QString question =
        m_held.heldOnScreen() ? QStringLiteral("是否清空点单数据？\r\n\r\n取回的挂单也将一并删除。")
                              : QStringLiteral("是否清空点单数据？");
    if (!MessageBoxes::instance().ask(this, question))
        return;
    if (const std::string kept = m_held.discardOnScreen(); !kept.empty())
        MessageBoxes::instance().inform(this, qs(kept), MessageBoxes::Icon::Warning);
    clearOrder();
}

void MainWindow::chooseRounding(PaymentRounding::Rule rule) {
    if (!PaymentRounding::store(m_settings, rule))
        MessageBoxes::instance().inform(this, qs(m_settings.failureMessage("保存抹零方式")),
                                        MessageBoxes::Icon::Warning);
    m_roundingRule = PaymentRounding::load(m_settings);
    m_form.showRoundingRule(m_roundingRule);
    if (m_session.mode() == OrderSession::Mode::New)
        applyLineTotals(orderGrid());
}

void MainWindow::chooseTimeFormat() {
    TimeFormatDialog dialog(m_settings, m_timeFormat, this);
    connect(&dialog, &TimeFormatDialog::choiceChanged, this, &MainWindow::setTimeFormat);
    dialog.exec();
    orderChanged();
}

// --- settlement and stored orders -------------------------------------------

void MainWindow::settleKey() {
    switch (m_session.settleKey()) {
    case OrderSession::SettleKey::Settle:
        settleOrder();
        return;
    case OrderSession::SettleKey::SaveEdit:
        saveEditedOrder();
        return;
    case OrderSession::SettleKey::Nothing:
        return;
    }
}

bool MainWindow::amountsAccepted() {
    syncSession();
    const OrderDraft& order = m_session.order();
    return !Settlement::hasDishes(order) || AmountQuestion::goOn(this, m_form, order);
}

void MainWindow::settleOrder() {
    if (!amountsAccepted())
        return;
    // A thermal printer's receipt prints on while the next order is typed.
    const auto result =
        m_session.settle(m_background.settling([this] { return m_session.order(); }), [this] {
            showSession();
            m_kitchen.orderStored(m_session.order());
        });
    switch (result.outcome) {
    case Settlement::Outcome::NoDishes:
    case Settlement::Outcome::NotStored:
        tell(qs(result.message));
        return;
    case Settlement::Outcome::Done:
        clearOrder();
        return;
    case Settlement::Outcome::NotPrinted:
        // Stored; the order stays on screen for F11 or F10.
        showSession();
        if (!result.message.empty())
            tell(qs(result.message));
        return;
    }
}

void MainWindow::printOnly() {
    if (!amountsAccepted())
        return;
    const bool unstored = m_session.mode() == OrderSession::Mode::New;
    const auto result = m_session.printOnly(m_receipts.printer());
    if (unstored && result.outcome == Settlement::Outcome::Done)
        m_kitchen.unstoredPrinted(m_session.order());
    if (result.outcome == Settlement::Outcome::NoDishes)
        tell(qs(result.message));
    else if (result.outcome == Settlement::Outcome::NotStored)
        MessageBoxes::instance().inform(this, qs(result.message), MessageBoxes::Icon::Warning);
}

void MainWindow::tell(const QString& message) {
    MessageBoxes::instance().inform(this, message, MessageBoxes::Icon::Information,
                                    QStringLiteral("提示"));
}

bool MainWindow::editStoredOrder(QWidget* owner, const QString& idText, const QString& dateText) {
    const OrderEditor editor(m_db);
    const std::optional<StoredOrder> stored = editor.loadOrder(idText.toStdString());
    if (!stored) {
        MessageBoxes::instance().inform(owner, qs(editor.loadFailure()));
        return false;
    }
    // Lines that could not be read are not an order without dishes.
    const auto lines = editor.loadLines(idText.toStdString(), dateText.toStdString());
    if (!lines) {
        MessageBoxes::instance().inform(owner, qs(editor.loadFailure()));
        return false;
    }
    if (!ManagerCheck::passes(owner, m_db, ManagerPassword::editRefused))
        return false;
    if (orderHasContent() &&
        !MessageBoxes::instance().ask(owner, OrderEditor::clearQuestion, MessageBoxes::Icon::None,
                                      QStringLiteral("提示")))
        return false;
    clearOrder();
    // Every stored value is shown as stored, listed or not, so that saving
    // without a change writes back what was there.
    m_session.beginEditing(*stored, *lines, m_timeFormat);
    showSession();
    return true;
}

void MainWindow::saveEditedOrder() {
    if (!amountsAccepted())
        return;
    m_kitchen.editSaving(m_session.order());
    const OrderEditor::Result result = m_session.saveEdit();
    const QString message = qs(result.message);
    switch (result.outcome) {
    case OrderEditor::Outcome::NoLines:
        tell(message);
        return;
    case OrderEditor::Outcome::Failed:
        MessageBoxes::instance().inform(this, message, MessageBoxes::Icon::Warning);
        return;
    case OrderEditor::Outcome::Saved:
        m_kitchen.editSaved(m_session.order());
        break;
    }
    // A receipt that did not print leaves the order on screen, still in edit mode.
    if (MessageBoxes::instance().ask(this, message) && !printStoredOrder())
        return;
    clearOrder();
}

bool MainWindow::printStoredOrder() {
    const RecordedPrint::Result result = m_session.printStored(m_receipts.printer());
    if (result.outcome == RecordedPrint::Outcome::NotRecorded)
        MessageBoxes::instance().inform(this, qs(result.message), MessageBoxes::Icon::Warning);
    return result.outcome == RecordedPrint::Outcome::Printed;
}

// --- menus ------------------------------------------------------------------

void MainWindow::showAbout() {
    // The owner needs the data folder to take a backup, or the server the
    // orders are on; never the password.
    const QString text =
        QStringLiteral("Tablewise\n版本号:3.0\n\n") +
        QString::fromStdString(m_db.isServer() ? "数据库服务器：\n" + m_db.serverName() +
                                                     "，数据库 " + m_db.serverDatabase()
                                               : "数据文件夹：\n" + ProgramFolder::path());
    MessageBoxes::instance().inform(this, text, MessageBoxes::Icon::Information,
                                    QStringLiteral("关于"));
}

void MainWindow::reloadAfterRestore() {
    seedReceiptDefaults(m_db);
    // A stored order on screen may not exist in the restored data.
    if (m_session.mode() != OrderSession::Mode::New)
        clearOrder();
    reloadTables();
    reloadDishes();
    refreshNumbering();
    orderChanged();
}

// --- held orders --------------------------------------------------------------

void MainWindow::holdOrder() {
    syncSession();
    const std::string refused = HeldOrderDesk::holdRefusal(m_session.mode(), m_session.order());
    if (!refused.empty()) {
        tell(qs(refused));
        return;
    }
    if (parkOnScreen())
        clearOrder();
}

bool MainWindow::parkOnScreen() {
    const std::string failed = m_held.hold(m_session.order());
    if (!failed.empty())
        MessageBoxes::instance().inform(this, qs(failed), MessageBoxes::Icon::Warning);
    return failed.empty();
}

void MainWindow::takeHeldOrder() {
    syncSession();
    if (const std::string refused = HeldOrderDesk::takeRefusal(m_session.mode());
        !refused.empty()) {
        tell(qs(refused));
        return;
    }
    const auto held = m_held.store().list();
    if (!held) {
        MessageBoxes::instance().inform(this, qs(held.message("读取挂单", "")),
                                        MessageBoxes::Icon::Warning);
        return;
    }
    if (held->empty()) {
        tell(QStringLiteral("没有挂起的订单。"));
        return;
    }
    HeldOrdersDialog dialog(*held, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The order on screen is parked first, so that nothing is lost.
    if (m_session.order().hasContent() && !parkOnScreen())
        return;
    clearOrder();
    const HeldOrders::Taken taken = m_held.take(dialog.chosenId());
    showHeldCount();
    if (taken.outcome != HeldOrders::TakeOutcome::Taken) {
        tell(qs(taken.message));
        return;
    }
    OrderDraft order = taken.order;
    order.number = m_session.order().number;
    order.orderTime = m_session.order().orderTime;
    m_session.setOrder(order);
    showSession();
    enterField(m_form.dishCode);
    m_searchWhenCleared = m_form.dishCode->text();
}

void MainWindow::showHeldCount() {
    const ReadResult<int> held = m_held.store().count();
    m_form.heldPart->setText(held ? QStringLiteral("挂单：%1").arg(*held)
                                  : QStringLiteral("挂单：无法读取"));
}

// --- dishes sold out ----------------------------------------------------------

void MainWindow::openSoldOut() {
    const QModelIndex current = m_form.dishResults->currentIndex();
    const QString dish = current.isValid()
                             ? qs(m_dishes.dishes().at(m_results->dishAt(current.row())).name)
                             : QString();
    SoldOutDialog(m_db, dish, this).exec();
    reloadSoldOut();
}

void MainWindow::reloadSoldOut() {
    const ReadResult<SoldOut::Marks> marks = SoldOut(m_db).marks(m_clock.now().dateOnly());
    if (!marks) {
        showReadFailure(qs(marks.message("读取估清菜品", "")));
        return;
    }
    m_results->setSoldOut(*marks);
}

void MainWindow::fillLastOrder() {
    OrderGrid grid = orderGrid();
    const ReadResult<LastOrder::Refill> refill =
        LastOrder(m_db).fill(text(m_form.telephone), m_dishes, m_results->soldOut(), grid);
    if (!refill) {
        MessageBoxes::instance().inform(this, qs(refill.message("读取上次订单", "")),
                                        MessageBoxes::Icon::Warning);
        return;
    }
    if (!refill->found) {
        tell(QStringLiteral("这位客户还没有保存过的订单。"));
        return;
    }
    m_form.grid->setGrid(grid);
    applyLineTotals(grid);
    orderChanged();
    if (!refill->note().empty())
        tell(qs(refill->note()));
}
