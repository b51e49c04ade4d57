#pragma once
#include "orders/OrderSession.h"
#include "orders/PaymentRounding.h"

#include <QList>

#include <string>
#include <utility>
#include <vector>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QStatusBar;
class QString;
class QToolBar;
class QTreeView;
class QWidget;
class OrderGridView;
class PopupComboBox;
struct OrderDefaults;
struct OrderDraft;
struct OrderTotals;

// The controls of the order window, laid out for 1366x768 and larger: dish
// search on the left, the order and its grid in the middle, table, delivery,
// discount and payment on the right. Builds, and shows or reads the
// defaults a new order starts with; behaviour is MainWindow's.
struct MainWindowForm {
    QLineEdit* number = nullptr;             // 编辑框_编号
    PopupComboBox* header = nullptr;         // 组合框_票头
    PopupComboBox* shop = nullptr;           // 组合框_店铺名称
    QLineEdit* orderTime = nullptr;          // 编辑框_时间
    QPushButton* timeFormatButton = nullptr; // 按钮_时间设置
    QLineEdit* orderId = nullptr;            // ID
    QLineEdit* tableCode = nullptr;          // 编辑框_时间2
    PopupComboBox* table = nullptr;          // 组合框_桌号
    QLineEdit* telephone = nullptr;          // 编辑框_电话
    QLineEdit* name = nullptr;               // 编辑框_姓名
    QLineEdit* address = nullptr;            // 编辑框_地址
    QPushButton* saveCustomerButton = nullptr;
    PopupComboBox* discountName = nullptr; // 组合框_减免
    QLineEdit* discountPortions = nullptr; // 编辑框_减免份数
    QLineEdit* discountAmount = nullptr;   // 编辑框_减免金额
    QComboBox* paymentMethod = nullptr;    // 组合框_付款方式
    QLineEdit* total = nullptr;            // 编辑框_合计
    QLineEdit* paid = nullptr;             // 编辑框_已支付
    QLineEdit* actuallyPaid = nullptr;     // 编辑框_实付
    QLineEdit* rounding = nullptr;         // 编辑框_抹零, what 抹零 took off
    QLabel* roundingCaption = nullptr;
    QList<QAction*> roundingActions;       // "设置菜单 → 抹零", in the order of the rules
    QLineEdit* remark = nullptr;           // 编辑框_备注
    OrderGridView* grid = nullptr;         // 高级表格1
    QLineEdit* dishCode = nullptr;         // 编辑框_项目代号
    QTreeView* dishResults = nullptr;      // 超级列表框2

    QPushButton* settleButton = nullptr;    // "打单结算(F12)" / "修改(F12)"
    QLabel* notPrintedHint = nullptr;       // in its place while a stored order waits to print
    QPushButton* printOnlyButton = nullptr; // "打单(F11)"
    QPushButton* clearButton = nullptr;     // "清空(F10)"
    QPushButton* previewButton = nullptr;   // "预览"
    QLabel* tutorialLink = nullptr;         // "查看使用教程"
    QLabel* printingHelpLink = nullptr;     // "无法打印怎么办？"

    QStatusBar* statusBar = nullptr;  // 状态条1
    QLabel* orderCountPart = nullptr; // the status bar's first field
    QLabel* incomePart = nullptr;     // and its second
    QLabel* backupPart = nullptr;     // a failed automatic backup, told once

    QToolBar* toolBar = nullptr;
    QList<QAction*> toolButtons;               // positions 0 to 9; 3 and 7 are separators
    QAction* demoDataAction = nullptr;         // "生成销售随机数据", after the ten
    QAction* demoRemovalAction = nullptr;      // "删除演示数据", beside it
    QMenu* settingsMenu = nullptr;             // "设置菜单"
    QAction* headerListAction = nullptr;       // "票头设置"
    QAction* shopListAction = nullptr;         // "店名设置"
    QAction* discountListAction = nullptr;     // "减免设置"
    QAction* stationListAction = nullptr;      // "出品部门设置"
    QAction* printSettingsAction = nullptr;    // "打印设置"
    QAction* openDrawerAction = nullptr;       // "打开钱箱"
    QAction* changeLogAction = nullptr;        // "操作记录"
    QAction* passwordAction = nullptr;         // "管理密码…"
    QAction* backupAction = nullptr;           // "备份数据…"
    QAction* restoreAction = nullptr;          // "恢复数据…"
    QAction* databaseSettingsAction = nullptr; // "数据库设置…"
    QAction* importAction = nullptr;           // "导入本地数据…", on a server only
    QMenu* helpMenu = nullptr;                 // "帮助"
    QAction* tutorialAction = nullptr;         // "使用教程"
    QAction* printingHelpAction = nullptr;     // "无法打印"
    QAction* aboutAction = nullptr;            // "关于"
    QMenu* gridMenu = nullptr;                 // "A菜单"
    QAction* deleteLineAction = nullptr;       // "删除行"

    // Function-key targets: the first control of each group.
    QGroupBox* groups[7] = {}; // "点单(F1)" ... "备注信息(F7)"

    void build(QMainWindow* window);

    // The controls that show the order's text fields, each with its field.
    template <class Control>
    using Fields = std::vector<std::pair<Control*, std::string OrderDraft::*>>;
    Fields<QLineEdit> draftEdits() const;
    Fields<QComboBox> draftDropDowns() const;

    // The order on screen, every field as the text of its control.
    OrderDraft draft() const;
    // Writes every field without running the change handlers.
    void showDraft(const OrderDraft& draft);

    void showTotals(const OrderTotals& totals);
    void showTables(const std::vector<std::string>& names, int selected);
    // Opens `menu` below the tool button at `toolPosition`.
    void dropMenu(int toolPosition, QMenu* menu);
    // The rounding box where the shop rounds, and the rule ticked in the menu.
    void showRoundingRule(PaymentRounding::Rule rule);

    // What a new order starts with: shown at start-up, stored on closing.
    // The discount goes after the "无" already listed first.
    void showDefaults(const OrderDefaults& defaults);
    OrderDefaults defaults() const;

    // The settle button's caption, or the hint in its place while a stored
    // order waits for its receipt.
    void showMode(OrderSession::Mode mode);
    // Only the fixed payment methods, the first chosen where another was.
    void dropAddedPaymentMethods();

  private:
    void buildMenus(QMainWindow* window);
    void buildToolBar(QMainWindow* window);
    void buildStatusBar(QMainWindow* window);
    QWidget* buildSearchColumn(QWidget* parent);
    QWidget* buildOrderColumn(QWidget* parent);
    QWidget* buildDetailsColumn(QWidget* parent);
    QGroupBox* group(int index, const QString& caption, QWidget* parent);
    void limitToColumns();
};
