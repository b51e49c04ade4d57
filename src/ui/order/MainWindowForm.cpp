#include "ui/order/MainWindowForm.h"

#include "orders/OrderDefaults.h"
#include "orders/OrderDraft.h"
#include "ui/common/ColumnLimits.h"
#include "ui/common/ListControls.h"
#include "ui/common/NameField.h"
#include "ui/common/PopupComboBox.h"
#include "ui/order/OrderGridView.h"

#include <QAction>
#include <QActionGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// Control names are both the objectName and the accessible description; the
// accessible name is what a cashier reads beside the control.
template <typename W> W* named(W* control, const QString& name, const QString& caption) {
    control->setObjectName(name);
    control->setAccessibleDescription(name);
    control->setAccessibleName(caption);
    return control;
}

QLineEdit* lineEdit(QWidget* parent, const QString& name, const QString& caption) {
    return named(new QLineEdit(parent), name, caption);
}

PopupComboBox* dropDown(QWidget* parent, const QString& name, const QString& caption) {
    auto* box = named(new PopupComboBox(parent), name, caption);
    box->setEditable(true);
    NameField::keepControlCharactersOut(box->lineEdit());
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(8);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return box;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& text) {
    auto* b = named(new QPushButton(text, parent), name, text);
    b->setAutoDefault(false);
    return b;
}

// Adds "caption  control" to a grid row, the caption right next to its control.
void addRow(QGridLayout* layout, int row, int column, const QString& caption, QWidget* control,
            int span = 1) {
    auto* label = new QLabel(caption);
    label->setBuddy(control);
    layout->addWidget(label, row, column);
    layout->addWidget(control, row, column + 1, 1, span);
}

// Lays captioned controls out two to a row, their columns taking the spare width.
void addPairedRows(QGridLayout* layout, int firstRow,
                   std::initializer_list<std::pair<QString, QWidget*>> fields) {
    int place = 0;
    for (const auto& [caption, control] : fields) {
        addRow(layout, firstRow + place / 2, place % 2 * 2, caption, control);
        ++place;
    }
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(3, 1);
}

QGridLayout* formGrid(QWidget* owner) {
    auto* layout = new QGridLayout(owner);
    layout->setHorizontalSpacing(6);
    layout->setVerticalSpacing(6);
    return layout;
}

QLabel* helpLink(QWidget* parent, const QString& name, const QString& text) {
    auto* link = named(new QLabel(text, parent), name, text);
    link->setCursor(Qt::PointingHandCursor);
    link->setTextInteractionFlags(Qt::NoTextInteraction);
    return link;
}

} // namespace

void MainWindowForm::build(QMainWindow* window) {
    window->setWindowTitle(QStringLiteral("Tablewise 3.0"));
    window->setObjectName(QStringLiteral("主窗口"));
    buildMenus(window);
    buildToolBar(window);
    buildStatusBar(window);

    auto* central = new QWidget(window);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(8, 6, 8, 6);
    columns->setSpacing(8);
    columns->addWidget(buildSearchColumn(central), 32);
    columns->addWidget(buildOrderColumn(central), 38);
    columns->addWidget(buildDetailsColumn(central), 30);
    window->setCentralWidget(central);
    limitToColumns();
}

void MainWindowForm::limitToColumns() {
    const std::pair<QLineEdit*, const char*> edits[] = {
        {number, "编号"},
        {discountPortions, "减免份数"},
        {discountAmount, "减免金额"},
        {total, "合计"},
        {paid, "已付"},
        {actuallyPaid, "实付"},
        {telephone, "电话"},
        {name, "姓名"},
        {address, "地址"},
        {remark, "备注"},
    };
    for (const auto& [edit, column] : edits)
        ColumnLimits::apply(edit, "存单", column);
    const std::pair<QComboBox*, const char*> boxes[] = {
        {header, "票头"}, {shop, "店铺名称"}, {discountName, "减免"}, {table, "桌号"}};
    for (const auto& [box, column] : boxes)
        ColumnLimits::apply(box, "存单", column);
}

QGroupBox* MainWindowForm::group(int index, const QString& caption, QWidget* parent) {
    auto* box = new QGroupBox(caption, parent);
    box->setAccessibleName(caption);
    groups[index] = box;
    return box;
}

void MainWindowForm::buildMenus(QMainWindow* window) {
    QMenuBar* bar = window->menuBar();
    settingsMenu = named(bar->addMenu(QStringLiteral("设置菜单")), QStringLiteral("设置菜单"),
                         QStringLiteral("设置菜单"));
    headerListAction = settingsMenu->addAction(QStringLiteral("票头设置"));
    shopListAction = settingsMenu->addAction(QStringLiteral("店名设置"));
    discountListAction = settingsMenu->addAction(QStringLiteral("减免设置"));
    stationListAction = settingsMenu->addAction(QStringLiteral("出品部门设置"));
    settingsMenu->addSeparator();
    printSettingsAction = settingsMenu->addAction(QStringLiteral("打印设置"));
    openDrawerAction = settingsMenu->addAction(QStringLiteral("打开钱箱"));
    settingsMenu->addSeparator();
    changeLogAction = settingsMenu->addAction(QStringLiteral("操作记录"));
    passwordAction = settingsMenu->addAction(QStringLiteral("管理密码…"));
    settingsMenu->addSeparator();
    backupAction = settingsMenu->addAction(QStringLiteral("备份数据…"));
    restoreAction = settingsMenu->addAction(QStringLiteral("恢复数据…"));
    settingsMenu->addSeparator();
    databaseSettingsAction = settingsMenu->addAction(QStringLiteral("数据库设置…"));
    importAction = settingsMenu->addAction(QStringLiteral("导入本地数据…"));
    settingsMenu->addSeparator();
    QMenu* roundingMenu = settingsMenu->addMenu(QStringLiteral("抹零"));
    auto* roundingGroup = new QActionGroup(roundingMenu);
    for (const std::string& rule : PaymentRounding::names()) {
        QAction* action = roundingMenu->addAction(QString::fromStdString(rule));
        action->setCheckable(true);
        roundingGroup->addAction(action);
        roundingActions.append(action);
    }

    helpMenu =
        named(bar->addMenu(QStringLiteral("帮助")), QStringLiteral("帮助"), QStringLiteral("帮助"));
    tutorialAction = helpMenu->addAction(QStringLiteral("使用教程"));
    printingHelpAction = helpMenu->addAction(QStringLiteral("无法打印"));
    helpMenu->addSeparator();
    aboutAction = helpMenu->addAction(QStringLiteral("关于"));

    gridMenu = named(new QMenu(QStringLiteral("A菜单"), window), QStringLiteral("A菜单"),
                     QStringLiteral("A菜单"));
    deleteLineAction = gridMenu->addAction(QStringLiteral("删除行"));
}

void MainWindowForm::buildToolBar(QMainWindow* window) {
    toolBar = named(new QToolBar(window), QStringLiteral("工具条1"), QStringLiteral("工具条"));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolBar->setIconSize(QSize(26, 26));
    window->addToolBar(Qt::TopToolBarArea, toolBar);
    QStyle* style = window->style();
    const struct {
        QStyle::StandardPixmap icon;
        const char* text;
    } buttons[] = {
        {QStyle::SP_FileDialogDetailedView, "历史订单"},
        {QStyle::SP_FileDialogInfoView, "收入报表"},
        {QStyle::SP_FileDialogContentsView, "销售统计"},
        {QStyle::SP_CustomBase, nullptr},
        {QStyle::SP_DirHomeIcon, "客户设置"},
        {QStyle::SP_FileDialogListView, "菜单设置"},
        {QStyle::SP_DialogOpenButton, "桌号设置"},
        {QStyle::SP_CustomBase, nullptr},
        {QStyle::SP_DialogResetButton, "设置"},
        {QStyle::SP_DialogHelpButton, "帮助"},
    };
    for (const auto& b : buttons) {
        if (!b.text) {
            toolButtons.append(toolBar->addSeparator());
            continue;
        }
        const QString text = QString::fromUtf8(b.text);
        QAction* action = toolBar->addAction(style->standardIcon(b.icon), text);
        action->setToolTip(text);
        toolButtons.append(action);
    }
    toolBar->addSeparator();
    const QString demoData = QStringLiteral("生成销售随机数据");
    demoDataAction = toolBar->addAction(style->standardIcon(QStyle::SP_FileIcon), demoData);
    demoDataAction->setObjectName(QStringLiteral("按钮_生成销售随机数据"));
    demoDataAction->setToolTip(demoData);
    const QString demoRemoval = QStringLiteral("删除演示数据");
    demoRemovalAction =
        toolBar->addAction(style->standardIcon(QStyle::SP_TrashIcon), demoRemoval);
    demoRemovalAction->setObjectName(QStringLiteral("按钮_删除演示数据"));
    demoRemovalAction->setToolTip(demoRemoval);
}

void MainWindowForm::buildStatusBar(QMainWindow* window) {
    statusBar = named(new QStatusBar(window), QStringLiteral("状态条1"), QStringLiteral("状态条"));
    orderCountPart = new QLabel(statusBar);
    incomePart = new QLabel(statusBar);
    orderCountPart->setAccessibleName(QStringLiteral("今日打单数量"));
    incomePart->setAccessibleName(QStringLiteral("今日收入总额"));
    backupPart = new QLabel(statusBar);
    backupPart->setAccessibleName(QStringLiteral("自动备份"));
    statusBar->addWidget(orderCountPart, 1);
    statusBar->addWidget(incomePart, 1);
    statusBar->addWidget(backupPart, 1);
    window->setStatusBar(statusBar);
}

QWidget* MainWindowForm::buildSearchColumn(QWidget* parent) {
    QGroupBox* box = group(0, QStringLiteral("点单(F1)"), parent);
    auto* layout = new QVBoxLayout(box);
    auto* codeRow = new QHBoxLayout;
    dishCode = lineEdit(box, QStringLiteral("编辑框_项目代号"), QStringLiteral("菜品代码："));
    dishCode->setPlaceholderText(QStringLiteral("输入数字代号或字母代号，回车选择"));
    auto* codeLabel = new QLabel(QStringLiteral("菜品代码："), box);
    codeLabel->setBuddy(dishCode);
    codeRow->addWidget(codeLabel);
    codeRow->addWidget(dishCode, 1);
    layout->addLayout(codeRow);

    dishResults =
        named(new QTreeView(box), QStringLiteral("超级列表框2"), QStringLiteral("菜品列表"));
    dishResults->setRootIsDecorated(false);
    dishResults->setUniformRowHeights(true);
    dishResults->setAlternatingRowColors(true);
    dishResults->setSelectionBehavior(QAbstractItemView::SelectRows);
    dishResults->setSelectionMode(QAbstractItemView::SingleSelection);
    dishResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dishResults->setFocusPolicy(Qt::ClickFocus);
    layout->addWidget(dishResults, 1);
    return box;
}

QWidget* MainWindowForm::buildOrderColumn(QWidget* parent) {
    auto* column = new QWidget(parent);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* info = new QGroupBox(QStringLiteral("订单信息"), column);
    info->setAccessibleName(info->title());
    auto* form = formGrid(info);
    number = lineEdit(info, QStringLiteral("编辑框_编号"), QStringLiteral("编号"));
    orderId = lineEdit(info, QStringLiteral("ID"), QStringLiteral("存单ID"));
    orderId->setReadOnly(true);
    header = dropDown(info, QStringLiteral("组合框_票头"), QStringLiteral("票头"));
    shop = dropDown(info, QStringLiteral("组合框_店铺名称"), QStringLiteral("店铺名称"));
    orderTime = lineEdit(info, QStringLiteral("编辑框_时间"), QStringLiteral("下单时间"));
    timeFormatButton = button(info, QStringLiteral("按钮_时间设置"), QStringLiteral("时间格式"));
    addPairedRows(form, 0,
                  {{QStringLiteral("编      号："), number},
                   {QStringLiteral("存单ID："), orderId},
                   {QStringLiteral("票      头："), header},
                   {QStringLiteral("店铺名称："), shop},
                   {QStringLiteral("下单时间："), orderTime}});
    form->addWidget(timeFormatButton, 2, 2, 1, 2, Qt::AlignLeft);
    layout->addWidget(info);

    QGroupBox* lines = group(5, QStringLiteral("已点菜品(F6)"), column);
    auto* linesLayout = new QVBoxLayout(lines);
    grid = named(new OrderGridView(lines), QStringLiteral("高级表格1"), QStringLiteral("已点菜品"));
    linesLayout->addWidget(grid);
    layout->addWidget(lines, 1);

    QGroupBox* note = group(6, QStringLiteral("备注信息(F7)"), column);
    auto* noteForm = formGrid(note);
    remark = lineEdit(note, QStringLiteral("编辑框_备注"), QStringLiteral("备注"));
    addRow(noteForm, 0, 0, QStringLiteral("备      注："), remark);
    layout->addWidget(note);
    return column;
}

QWidget* MainWindowForm::buildDetailsColumn(QWidget* parent) {
    auto* column = new QWidget(parent);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    QGroupBox* tables = group(1, QStringLiteral("桌号/号牌(F2)"), column);
    auto* tableForm = formGrid(tables);
    tableCode = lineEdit(tables, QStringLiteral("编辑框_时间2"), QStringLiteral("桌号代码"));
    tableCode->setMaximumWidth(80);
    table = dropDown(tables, QStringLiteral("组合框_桌号"), QStringLiteral("桌号/号牌"));
    addRow(tableForm, 0, 0, QStringLiteral("桌号代码："), tableCode);
    tableForm->addWidget(table, 0, 2);
    tableForm->setColumnStretch(2, 1);
    layout->addWidget(tables);

    QGroupBox* delivery = group(2, QStringLiteral("送餐信息(F3)"), column);
    auto* deliveryForm = formGrid(delivery);
    telephone = lineEdit(delivery, QStringLiteral("编辑框_电话"), QStringLiteral("电话"));
    name = lineEdit(delivery, QStringLiteral("编辑框_姓名"), QStringLiteral("姓名"));
    NameField::keepControlCharactersOut(name);
    address = lineEdit(delivery, QStringLiteral("编辑框_地址"), QStringLiteral("地址"));
    saveCustomerButton =
        button(delivery, QStringLiteral("按钮_保存客户"), QStringLiteral("保存客户"));
    addRow(deliveryForm, 0, 0, QStringLiteral("电      话："), telephone);
    deliveryForm->addWidget(saveCustomerButton, 0, 2);
    addRow(deliveryForm, 1, 0, QStringLiteral("姓      名："), name, 2);
    addRow(deliveryForm, 2, 0, QStringLiteral("地      址："), address, 2);
    deliveryForm->setColumnStretch(1, 1);
    layout->addWidget(delivery);

    QGroupBox* discount = group(3, QStringLiteral("折扣信息(F4)"), column);
    auto* discountForm = formGrid(discount);
    discountName = dropDown(discount, QStringLiteral("组合框_减免"), QStringLiteral("减免"));
    discountPortions =
        lineEdit(discount, QStringLiteral("编辑框_减免份数"), QStringLiteral("减免份数"));
    discountAmount =
        lineEdit(discount, QStringLiteral("编辑框_减免金额"), QStringLiteral("减免金额"));
    addRow(discountForm, 0, 0, QStringLiteral("减 免(F7)："), discountName, 3);
    addPairedRows(discountForm, 1,
                  {{QStringLiteral("减免份数："), discountPortions},
                   {QStringLiteral("减免金额："), discountAmount}});
    layout->addWidget(discount);

    QGroupBox* payment = group(4, QStringLiteral("付款信息(F5)"), column);
    auto* paymentForm = formGrid(payment);
    paymentMethod = named(new QComboBox(payment), QStringLiteral("组合框_付款方式"),
                          QStringLiteral("支付方式"));
    for (const std::string& method : OrderDraft::paymentMethods())
        paymentMethod->addItem(QString::fromStdString(method));
    total = lineEdit(payment, QStringLiteral("编辑框_合计"), QStringLiteral("合计"));
    paid = lineEdit(payment, QStringLiteral("编辑框_已支付"), QStringLiteral("已付"));
    actuallyPaid = lineEdit(payment, QStringLiteral("编辑框_实付"), QStringLiteral("实付"));
    addPairedRows(paymentForm, 0,
                  {{QStringLiteral("支付方式："), paymentMethod},
                   {QStringLiteral("合      计："), total},
                   {QStringLiteral("已      付："), paid},
                   {QStringLiteral("实      付："), actuallyPaid}});
    // Shown only where the shop rounds the amount to pay.
    rounding = lineEdit(payment, QStringLiteral("编辑框_抹零"), QStringLiteral("抹零"));
    rounding->setReadOnly(true);
    roundingCaption = new QLabel(QStringLiteral("抹      零："), payment);
    roundingCaption->setBuddy(rounding);
    paymentForm->addWidget(roundingCaption, 2, 0);
    paymentForm->addWidget(rounding, 2, 1);
    showRoundingRule(PaymentRounding::Rule::None);
    layout->addWidget(payment);

    settleButton = button(column, QStringLiteral("按钮_打单结算"), QStringLiteral("打单结算(F12)"));
    settleButton->setProperty("role", "settle");
    settleButton->setMinimumHeight(46);
    layout->addWidget(settleButton);
    notPrintedHint = named(new QLabel(QString::fromUtf8(OrderSession::alreadyStored), column),
                           QStringLiteral("标签_没有打印"), QStringLiteral("没有打印"));
    notPrintedHint->setWordWrap(true);
    notPrintedHint->setMinimumHeight(settleButton->minimumHeight());
    notPrintedHint->setProperty("role", "hint");
    notPrintedHint->hide();
    layout->addWidget(notPrintedHint);
    auto* actions = new QHBoxLayout;
    printOnlyButton = button(column, QStringLiteral("按钮_打单"), QStringLiteral("打单(F11)"));
    clearButton = button(column, QStringLiteral("按钮_清空"), QStringLiteral("清空(F10)"));
    previewButton = button(column, QStringLiteral("按钮_预览"), QStringLiteral("预览"));
    for (QPushButton* b : {printOnlyButton, clearButton, previewButton}) {
        b->setMinimumHeight(34);
        actions->addWidget(b);
    }
    layout->addLayout(actions);
    layout->addStretch(1);

    auto* links = new QWidget(column);
    links->setObjectName(QStringLiteral("帮助链接"));
    auto* linksLayout = new QHBoxLayout(links);
    linksLayout->setContentsMargins(10, 5, 10, 5);
    tutorialLink = helpLink(links, QStringLiteral("标签_使用教程"), QStringLiteral("查看使用教程"));
    printingHelpLink =
        helpLink(links, QStringLiteral("标签_无法打印"), QStringLiteral("无法打印怎么办？"));
    linksLayout->addWidget(tutorialLink);
    linksLayout->addStretch(1);
    linksLayout->addWidget(printingHelpLink);
    layout->addWidget(links);
    return column;
}

MainWindowForm::Fields<QLineEdit> MainWindowForm::draftEdits() const {
    return {{number, &OrderDraft::number},
            {orderTime, &OrderDraft::orderTime},
            {tableCode, &OrderDraft::tableCode},
            {telephone, &OrderDraft::telephone},
            {name, &OrderDraft::name},
            {address, &OrderDraft::address},
            {discountPortions, &OrderDraft::discountPortions},
            {discountAmount, &OrderDraft::discountAmount},
            {total, &OrderDraft::total},
            {paid, &OrderDraft::paid},
            {actuallyPaid, &OrderDraft::actuallyPaid},
            {rounding, &OrderDraft::rounding},
            {remark, &OrderDraft::remark},
            {orderId, &OrderDraft::orderId}};
}

MainWindowForm::Fields<QComboBox> MainWindowForm::draftDropDowns() const {
    return {{header, &OrderDraft::header},
            {shop, &OrderDraft::shop},
            {table, &OrderDraft::table},
            {discountName, &OrderDraft::discountName},
            {paymentMethod, &OrderDraft::paymentMethod}};
}

void MainWindowForm::showDefaults(const OrderDefaults& defaults) {
    header->addItem(QString::fromStdString(defaults.header));
    header->setCurrentIndex(0);
    shop->addItem(QString::fromStdString(defaults.shop));
    shop->setCurrentIndex(0);
    discountName->addItem(QString::fromStdString(defaults.discountName));
    discountName->setCurrentIndex(1);
    discountPortions->setText(QString::fromStdString(defaults.discountPortions));
    discountAmount->setText(QString::fromStdString(defaults.discountAmount));
    paymentMethod->setCurrentIndex(defaults.paymentIndex);
}

OrderDefaults MainWindowForm::defaults() const {
    return {.header = header->currentText().toStdString(),
            .shop = shop->currentText().toStdString(),
            .discountName = discountName->currentText().toStdString(),
            .discountPortions = discountPortions->text().toStdString(),
            .discountAmount = discountAmount->text().toStdString(),
            .paymentIndex = paymentMethod->currentIndex()};
}

void MainWindowForm::showMode(OrderSession::Mode mode) {
    settleButton->setText(mode == OrderSession::Mode::Editing ? QStringLiteral("修改(F12)")
                                                              : QStringLiteral("打单结算(F12)"));
    settleButton->setAccessibleName(settleButton->text());
    const bool waiting = mode == OrderSession::Mode::StoredNotPrinted;
    settleButton->setHidden(waiting);
    notPrintedHint->setVisible(waiting);
}

void MainWindowForm::dropAddedPaymentMethods() {
    const int fixedMethods = static_cast<int>(OrderDraft::paymentMethods().size());
    if (paymentMethod->currentIndex() >= fixedMethods)
        paymentMethod->setCurrentIndex(0);
    while (paymentMethod->count() > fixedMethods)
        paymentMethod->removeItem(fixedMethods);
}

OrderDraft MainWindowForm::draft() const {
    OrderDraft d;
    for (const auto& [edit, field] : draftEdits())
        d.*field = edit->text().toStdString();
    for (const auto& [box, field] : draftDropDowns())
        d.*field = box->currentText().toStdString();
    d.paymentIndex = paymentMethod->currentIndex();
    d.lines = grid->grid().lines();
    return d;
}

void MainWindowForm::showDraft(const OrderDraft& d) {
    for (const auto& [edit, field] : draftEdits()) {
        const QSignalBlocker blocker(edit);
        edit->setText(QString::fromStdString(d.*field));
    }
    for (const auto& [box, field] : draftDropDowns()) {
        const QSignalBlocker blocker(box);
        showInDropDown(box, d.*field);
    }
    grid->setGrid(OrderGrid::fromLines(d.lines));
}

void MainWindowForm::showRoundingRule(PaymentRounding::Rule rule) {
    const bool rounds = rule != PaymentRounding::Rule::None;
    rounding->setVisible(rounds);
    roundingCaption->setVisible(rounds);
    if (QAction* chosen = roundingActions.value(static_cast<int>(rule)))
        chosen->setChecked(true);
}

void MainWindowForm::showTotals(const OrderTotals& totals) {
    rounding->setText(QString::fromStdString(totals.rounding));
    total->setText(QString::fromStdString(totals.total));
    paid->setText(QString::fromStdString(totals.paid));
    actuallyPaid->setText(QString::fromStdString(totals.actuallyPaid));
}

void MainWindowForm::showTables(const std::vector<std::string>& names, int selected) {
    table->clear();
    for (const std::string& name : names)
        table->addItem(QString::fromStdString(name));
    table->setCurrentIndex(selected);
}

void MainWindowForm::dropMenu(int toolPosition, QMenu* menu) {
    QWidget* button = toolBar->widgetForAction(toolButtons[toolPosition]);
    menu->popup(button->mapToGlobal(QPoint(0, button->height())));
}
