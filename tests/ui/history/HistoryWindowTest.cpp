#include "ui/history/HistoryWindow.h"
#include "history/ChangeLog.h"
#include "history/ManagerPassword.h"
#include "spreadsheet/XlsxReader.h"
#include "support/ScriptedFileDialogs.h"
#include "support/StorageConditions.h"
#include "support/WindowTest.h"
#include "ui/common/ListControls.h"
#include "ui/common/PagedListPanel.h"
#include "ui/history/ChangeLogWindow.h"
#include "ui/history/DayFilterDialog.h"
#include "ui/history/ManagerPasswordDialog.h"
#include "ui/history/PeriodFilterDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class HistoryWindowTest : public WindowTest {
  protected:
    HistoryWindowTest() : WindowTest(Start::Template, DateTime{2017, 5, 15, 12, 0, 0}) {}

    HistoryWindow& open() {
        window = std::make_unique<HistoryWindow>(db, orders, clock);
        return *window;
    }
    QTreeWidget* list() const { return window->panel()->list(); }
    QString label(const QString& name) const { return window->findChild<QLabel*>(name)->text(); }
    void click(const QString& name) { window->findChild<QPushButton*>(name)->click(); }
    void jump(const QString& text) {
        window->findChild<QLineEdit*>("编辑框_跳到")->setText(text);
        click("标签_跳到");
    }
    QString jumpField() const { return window->findChild<QLineEdit*>("编辑框_跳到")->text(); }
    QString cell(int row, int column) const { return list()->topLevelItem(row)->text(column); }
    QStringList column(int column) const {
        QStringList texts;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            texts << cell(i, column);
        return texts;
    }

    PagedList orders{PagedList::Kind::Orders};
    std::unique_ptr<HistoryWindow> window;
};

TEST_F(HistoryWindowTest, FourHundredFiftyOrdersMakeThreePagesOldestFirst) {
    addOrders(450);
    open();
    EXPECT_EQ(label("标签_当前页"), "1");
    EXPECT_EQ(label("标签_总页数"), "/3");
    EXPECT_EQ(list()->topLevelItemCount(), 200);
    EXPECT_EQ(label("状态条_存单_0"), "共有存单数据:450条");

    click("标签_到尾页");
    EXPECT_EQ(label("标签_当前页"), "3");
    ASSERT_EQ(list()->topLevelItemCount(), 50);
    const QStringList ids = column(0);
    const long long first = count("select min(ID) from 存单");
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(ids[i].toLongLong(), first + 400 + i);

    click("标签_下一页");
    EXPECT_EQ(label("标签_当前页"), "3");
    click("标签_上一页");
    EXPECT_EQ(label("标签_当前页"), "2");
    EXPECT_EQ(cell(0, 0).toLongLong(), first + 200);
}

TEST_F(HistoryWindowTest, FourHundredOrdersMakeExactlyTwoPages) {
    addOrders(400);
    const std::string schema = "select group_concat(name) from sqlite_master";
    const std::string before = scalar(schema);
    open();
    EXPECT_EQ(scalar(schema), before) << "opening the window creates nothing";
    EXPECT_EQ(label("标签_总页数"), "/2");
    click("标签_到尾页");
    EXPECT_EQ(label("标签_当前页"), "2");
    EXPECT_EQ(list()->topLevelItemCount(), 200);
}

TEST_F(HistoryWindowTest, JumpClampsAndWritesThePageBack) {
    addOrders(450);
    open();
    jump("99");
    EXPECT_EQ(label("标签_当前页"), "3");
    EXPECT_EQ(jumpField(), "3");

    click("标签_回首页");
    jump("-1");
    EXPECT_EQ(label("标签_当前页"), "3");
    EXPECT_EQ(list()->topLevelItemCount(), 50);

    for (const QString typed : {"0", "abc", "-2"}) {
        jump(typed);
        EXPECT_EQ(label("标签_当前页"), "3") << typed.toStdString();
        EXPECT_EQ(list()->topLevelItemCount(), 50) << typed.toStdString();
    }
}

TEST_F(HistoryWindowTest, DineInAndTakeOutFilters) {
    addOrder({.table = "A1"});
    addOrder({.address = "北街"});
    addOrder({.table = "A2", .address = "南街"});
    addOrder({});
    HistoryWindow& w = open();
    EXPECT_EQ(list()->topLevelItemCount(), 4);

    w.applyFilter(HistoryFilter::dineIn());
    EXPECT_EQ(column(5), (QStringList{"A1", "A2"}));
    EXPECT_EQ(w.statusCaption(), "正在浏览店内数据");

    w.applyFilter(HistoryFilter::takeOut());
    EXPECT_EQ(column(8), (QStringList{"北街", "南街"}));
    EXPECT_EQ(w.statusCaption(), "正在浏览外卖数据");

    click("按钮_浏览所有单据");
    EXPECT_EQ(list()->topLevelItemCount(), 4);
    EXPECT_EQ(w.statusCaption(), "正在浏览全部数据");
}

// The till filter offers the tills of the stored orders, those of older
// orders as unrecorded, and combines with the other filters both ways round.
TEST_F(HistoryWindowTest, TillFilterCombinesWithEveryOtherFilter) {
    const struct {
        const char* till;
        const char* table;
    } stored[] = {{"一号机", "A1"}, {"二号机", "A2"}, {"一号机", ""}, {nullptr, "A3"}, {"", ""}};
    for (const auto& order : stored) {
        const long long id = addOrder({.table = order.table});
        execute("update 存单 set 收银台=" +
                (order.till ? "'" + std::string(order.till) + "'" : std::string("null")) +
                " where ID=" + std::to_string(id));
    }
    HistoryWindow& w = open();
    auto* tills = window->findChild<QComboBox*>("组合框_收银台");
    ASSERT_NE(tills, nullptr);
    EXPECT_EQ(tills->accessibleName(), "收银台");
    QStringList offered;
    for (int i = 0; i < tills->count(); ++i)
        offered << tills->itemText(i);
    EXPECT_EQ(offered, (QStringList{"全部收银台", "一号机", "二号机", "（未记录）"}));
    EXPECT_EQ(column(9), (QStringList{"一号机", "二号机", "一号机", "", ""}));

    const struct {
        int till;
        HistoryFilter filter;
        QStringList tables;
        QString caption;
    } cases[] = {
        {1, HistoryFilter::all(), {"A1", ""}, "正在浏览全部数据（收银台：一号机）"},
        {1, HistoryFilter::dineIn(), {"A1"}, "正在浏览店内数据（收银台：一号机）"},
        {3, HistoryFilter::all(), {"A3", ""}, "正在浏览全部数据（收银台：（未记录））"},
        {2, HistoryFilter::day({2017, 5, 15, 0, 0, 0}), {"A2"},
         "正在浏览：2017年5月15日 的数据（收银台：二号机）"},
        {0, HistoryFilter::dineIn(), {"A1", "A2", "A3"}, "正在浏览店内数据"},
    };
    for (const auto& c : cases) {
        w.applyFilter(c.filter);
        tills->setCurrentIndex(c.till);
        EXPECT_EQ(column(5), c.tables) << c.caption.toStdString();
        EXPECT_EQ(w.statusCaption(), c.caption);
        EXPECT_EQ(label("状态条_存单_0"), QString("共有存单数据:%1条").arg(c.tables.size()));
        // The other way round: the filter chosen after the till.
        tills->setCurrentIndex(c.till);
        w.applyFilter(c.filter);
        EXPECT_EQ(column(5), c.tables) << c.caption.toStdString();
    }
}

TEST_F(HistoryWindowTest, DayFilterLeavesOutTheDaysStartAndTakesItsEnd) {
    addOrder({.time = "2017-05-15 00:00:00", .table = "开始"});
    addOrder({.time = "2017-05-15 00:00:01", .table = "第一单"});
    addOrder({.time = "2017-05-16 00:00:00", .table = "结束"});
    addOrder({.time = "2017-05-16 00:00:01", .table = "次日"});
    HistoryWindow& w = open();

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<DayFilterDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        dialog->findChild<QDateEdit*>()->setDate(QDate(2017, 5, 15));
        dialog->findChild<QPushButton*>("按钮_确认")->click();
    });
    w.chooseDay();
    EXPECT_EQ(column(5), (QStringList{"第一单", "结束"}));
    EXPECT_EQ(w.statusCaption(), "正在浏览：2017年5月15日 的数据");
}

TEST_F(HistoryWindowTest, PeriodDialogRefusesAStartAfterTheEnd) {
    PeriodFilterDialog dialog(QDate(2017, 5, 15));
    dialog.findChild<QDateEdit*>("日期框_起始日期")->setDate(QDate(2017, 5, 20));
    dialog.show();
    dialog.findChild<QPushButton*>("按钮_确认")->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(boxes.lastText(), "起始日期不能大于结束日期。");
    EXPECT_EQ(boxes.shown.last().title, "提示");

    dialog.findChild<QDateEdit*>("日期框_结束日期")->setDate(QDate(2017, 5, 21));
    dialog.findChild<QPushButton*>("按钮_确认")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.filter().caption, "正在浏览从：2017年5月20日到2017年5月21日 的数据");
}

TEST_F(HistoryWindowTest, StatusSumsCoverAllMatchesToTheFen) {
    addOrder({.total = "15.5", .paid = "15"});
    addOrder({.total = "16", .paid = "16.05"});
    open();
    EXPECT_EQ(label("状态条_存单_0"), "共有存单数据:2条");
    EXPECT_EQ(label("状态条_存单_1"), "合计总额:31.5");
    EXPECT_EQ(label("状态条_存单_2"), "实付总额:31.05");
}

TEST_F(HistoryWindowTest, APageThatCannotBeReadIsToldAndShowsNoFigures) {
    addOrder({.total = "16", .paid = "16"});
    open();
    {
        StorageConditions::OtherWriter other(db, folder.file("data/data.mdb"));
        window->panel()->refresh();
    }
    EXPECT_EQ(list()->topLevelItemCount(), 0);
    EXPECT_EQ(label("状态条_存单_0"), "共有存单数据:无法读取");
    EXPECT_EQ(label("状态条_存单_1"), "合计总额:无法读取");
    EXPECT_EQ(label("状态条_存单_2"), "实付总额:无法读取");
    EXPECT_EQ(boxes.lastText(),
              "读取存单数据失败：数据库正被其他程序使用，请稍后重试。列表没有显示，"
              "数据没有改动。");
}

TEST_F(HistoryWindowTest, DeletingTheOnlyOrderOfTheLastPageShowsTheNewLastPage) {
    addOrders(201);
    HistoryWindow& w = open();
    click("标签_到尾页");
    ASSERT_EQ(list()->topLevelItemCount(), 1);
    ListControls::selectRow(list(), 0);
    boxes.answers = {true};

    w.deleteOrder();
    EXPECT_EQ(label("标签_当前页"), "1");
    EXPECT_EQ(label("标签_总页数"), "/1");
    EXPECT_EQ(list()->topLevelItemCount(), 200);
    EXPECT_EQ(ListControls::selectedRow(list()), 0);
    EXPECT_EQ(label("状态条_存单_0"), "共有存单数据:200条");
    EXPECT_EQ(boxes.lastText(), "处理成功。");
}

TEST_F(HistoryWindowTest, DeletionAsksFirstAndNeedsASelection) {
    const long long id = addOrder({});
    addLine(id, "2017-05-15 12:30:00", "鱼香肉丝");
    HistoryWindow& w = open();
    w.deleteOrder();
    EXPECT_EQ(boxes.lastText(), "请选择要删除的项目。");

    ListControls::selectRow(list(), 0);
    boxes.answers = {false, true};
    w.deleteOrder();
    EXPECT_EQ(boxes.lastText(), "订单编号：1\r\n订单时间：2017年5月15日\r\n\r\n是否删除该订单？");
    EXPECT_EQ(count("select count(*) from 存单"), 1);

    pressKey(list(), Qt::Key_Delete);
    EXPECT_EQ(count("select count(*) from 存单"), 0);
    EXPECT_EQ(count("select count(*) from 存单详单"), 0);
}

TEST_F(HistoryWindowTest, CustomerEntryOfTheContextMenu) {
    addOrder({.telephone = "139"});
    addOrder({});
    HistoryWindow& w = open();
    EXPECT_EQ(w.contextMenu(), nullptr);

    ListControls::selectRow(list(), 1);
    std::unique_ptr<QMenu> menu(w.contextMenu());
    EXPECT_FALSE(menu->actions().at(2)->isEnabled());

    ListControls::selectRow(list(), 0);
    menu.reset(w.contextMenu());
    QAction* customer = menu->actions().at(2);
    EXPECT_EQ(customer->text(), "查看该客户的所有订单");
    ASSERT_TRUE(customer->isEnabled());
    customer->trigger();
    EXPECT_EQ(list()->topLevelItemCount(), 1);
    EXPECT_EQ(w.statusCaption(), "正在浏览客户：139 的数据");

    ListControls::selectRow(list(), 0);
    menu.reset(w.contextMenu());
    EXPECT_FALSE(menu->actions().at(2)->isEnabled());
}

TEST_F(HistoryWindowTest, CustomerPromptAndClosingForgetsTheFilter) {
    addOrder({.telephone = "it's"});
    addOrder({});
    HistoryWindow& w = open();
    boxes.inputs = {""};
    w.chooseCustomer();
    EXPECT_EQ(list()->topLevelItemCount(), 2);

    boxes.inputs = {"it's"};
    w.chooseCustomer();
    EXPECT_EQ(boxes.shown.last().title, "浏览客户数据");
    EXPECT_EQ(list()->topLevelItemCount(), 1);

    w.reject();
    EXPECT_TRUE(orders.conditionFragment().empty());
}

TEST_F(HistoryWindowTest, ExportTakesEveryPageOfTheFilterNotOnlyTheOneShown) {
    addOrders(450);
    addOrder({.table = "A3"});
    open();
    ScriptedFileDialogs files;
    click("按钮_导出");
    EXPECT_TRUE(boxes.shown.isEmpty()); // cancelled in the file dialog

    files.path = filePath("历史订单.xlsx");
    click("按钮_导出");
    EXPECT_EQ(files.suggestedName, "历史订单.xlsx");
    EXPECT_EQ(boxes.lastText(), "导出完成。");
    const auto all = XlsxReader::readFirstSheet(files.path.toStdString());
    ASSERT_TRUE(all);
    EXPECT_EQ(all->size(), 1u + 451u);

    window->applyFilter(HistoryFilter::dineIn());
    files.path = filePath("店内.csv");
    click("按钮_导出");
    EXPECT_EQ(boxes.lastText(),
              "导出完成。订单的菜品明细在同一文件夹的另一个文件中：店内_明细.csv");
    EXPECT_TRUE(QFile::exists(filePath("店内_明细.csv")));
}

TEST_F(HistoryWindowTest, ChangeLogListsFiltersAndShowsBothSidesReadOnly) {
    const long long deleted = addOrder({});
    addLine(deleted, "2017-05-15 12:30:00", "鱼香肉丝");
    const long long edited = addOrder({.number = "2"});
    ASSERT_TRUE(ChangeLog(db).write({ChangeLog::Kind::Edit, std::to_string(edited), "2",
                                     "编号：2\n合计：10\n", "编号：2\n合计：12\n"}));
    open();
    ListControls::selectRow(list(), 0);
    boxes.answers = {true};
    window->deleteOrder();
    onNextModal([](QWidget* shown) { EXPECT_EQ(shown->windowTitle(), "操作记录"); });
    click("按钮_操作记录");

    ChangeLogWindow log(db, clock);
    QTreeWidget* records = log.panel()->list();
    ASSERT_EQ(records->topLevelItemCount(), 2);
    EXPECT_EQ(records->topLevelItem(1)->text(2), "删除订单");
    EXPECT_EQ(child<QLabel>(&log, "状态条_操作记录_0")->text(), "共有操作记录:2条");
    ListControls::selectRow(records, 1);
    EXPECT_TRUE(log.beforeText().contains("鱼香肉丝"));
    EXPECT_TRUE(log.afterText().isEmpty());

    child<QComboBox>(&log, "下拉框_操作")->setCurrentText("修改订单");
    ASSERT_TRUE(log.applyFilter());
    EXPECT_EQ(log.statusCaption(), "正在浏览：修改订单 的记录");
    ASSERT_EQ(records->topLevelItemCount(), 1);
    EXPECT_TRUE(log.beforeText().isEmpty()) << "a new page selects nothing";
    ListControls::selectRow(records, 0);
    EXPECT_EQ(log.beforeText(), "编号：2\n合计：10\n");
    EXPECT_EQ(log.afterText(), "编号：2\n合计：12\n");

    child<QCheckBox>(&log, "选择框_按时间段")->setChecked(true);
    child<QDateEdit>(&log, "日期框_起始日期")->setDate(QDate(2017, 5, 16));
    EXPECT_FALSE(log.applyFilter());
    EXPECT_EQ(boxes.lastText(), "起始日期不能大于结束日期。");
    EXPECT_EQ(records->topLevelItemCount(), 1);

    log.browseAll();
    EXPECT_EQ(records->topLevelItemCount(), 2);
    for (QWidget* control : log.findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractSpinBox*>(control->parentWidget()))
            continue; // the date box's own text field
        if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QComboBox*>(control) ||
            qobject_cast<QAbstractSpinBox*>(control) || qobject_cast<QPlainTextEdit*>(control) ||
            qobject_cast<QLineEdit*>(control) || qobject_cast<QTreeWidget*>(control))
            EXPECT_FALSE(control->accessibleName().isEmpty())
                << control->objectName().toStdString();
        if (auto* pane = qobject_cast<QPlainTextEdit*>(control))
            EXPECT_TRUE(pane->isReadOnly());
    }
}

TEST_F(HistoryWindowTest, ASetManagerPasswordIsAskedBeforeADeletion) {
    addOrder({});
    ASSERT_EQ(ManagerPassword(db, 1000).change("", "老板", "老板").outcome,
              ManagerPassword::Outcome::Set);
    HistoryWindow& w = open();
    ListControls::selectRow(list(), 0);
    const std::tuple<std::optional<QString>, int, QString> cases[] = {
        {std::nullopt, 1, "请输入管理密码："},
        {"错的", 1, "管理密码不正确，订单没有删除。"},
        {"老板", 0, "处理成功。"},
    };
    for (const auto& [typed, left, said] : cases) {
        boxes.answers = {true};
        boxes.inputs = {typed};
        w.deleteOrder();
        EXPECT_EQ(count("select count(*) from 存单"), left);
        EXPECT_EQ(boxes.lastText(), said);
    }
}

TEST_F(HistoryWindowTest, PasswordDialogSetsAndRemovesOnlyWithTheCurrentPassword) {
    auto fill = [](QDialog& dialog, const char* current, const char* next, const char* again) {
        if (auto* field = dialog.findChild<QLineEdit*>("编辑框_当前密码"))
            field->setText(current);
        child<QLineEdit>(&dialog, "编辑框_新密码")->setText(next);
        child<QLineEdit>(&dialog, "编辑框_确认密码")->setText(again);
    };
    ManagerPasswordDialog setting(db);
    EXPECT_EQ(setting.findChild<QLineEdit*>("编辑框_当前密码"), nullptr);
    fill(setting, "", "老板", "老师");
    setting.confirm();
    EXPECT_FALSE(ManagerPassword(db).isSet());
    fill(setting, "", "老板", "老板");
    setting.confirm();
    EXPECT_EQ(setting.result(), QDialog::Accepted);
    ASSERT_TRUE(ManagerPassword(db).isSet());
    EXPECT_EQ(scalar("select 记录信息 from 记录 where 记录内容='管理密码'").find("老板"),
              std::string::npos);

    ManagerPasswordDialog removing(db);
    fill(removing, "错的", "", "");
    ::click(&removing, "按钮_删除密码");
    EXPECT_EQ(boxes.lastText(), "管理密码不正确，没有做任何改动。");
    EXPECT_TRUE(ManagerPassword(db).accepts("老板"));
    fill(removing, "老板", "", "");
    ::click(&removing, "按钮_删除密码");
    EXPECT_FALSE(ManagerPassword(db).isSet());
}

} // namespace
