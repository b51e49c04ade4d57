#include "support/MainWindowTest.h"
#include "support/PdfTools.h"
#include "support/ScriptedPrintDialogs.h"
#include "ui/receipt/PreviewWindow.h"

#include "history/ManagerPassword.h"
#include "history/PagedList.h"
#include "orders/OrderGrid.h"
#include "ui/common/ListControls.h"
#include "ui/common/PagedListPanel.h"
#include "ui/history/HistoryWindow.h"

#include <QPushButton>
#include <QTreeWidget>
#include <sqlite3.h>

namespace {

// A stored order of an earlier year taken back into the order window.
class OrderEditing : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        execute("insert into 存单 (编号,票头,店铺名称,时间,减免,减免份数,减免金额,合计,支付方式,"
                "已付,实付,桌号,电话,姓名,地址,是否结算,备注) values (7,'微信点餐','已改名的店',"
                "'2016-05-15 12:30:00','无',0,0,45.5,'微信支付',45,45,'','139','李四',"
                "'北街','1','少辣')");
        id = db.lastInsertId();
        for (const char* dish : {"鱼香肉丝", "宫保鸡丁"})
            execute("insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) values (" +
                    std::to_string(id) + ",'2016-05-15 12:30:00','" + dish + "',1,'份',15)");
    }

    QString idText() const { return QString::number(id); }
    QPushButton* settleButton() const { return control<QPushButton>("按钮_打单结算"); }
    std::string stored(const std::string& column) {
        return scalar("select " + column + " from 存单 where ID=" + std::to_string(id));
    }

    long long id = 0;
};

TEST_F(OrderEditing, RoundTripKeepsTheIdAndTheYearAndReplacesTheLines) {
    ASSERT_TRUE(window->editStoredOrder(window.get(), idText(), "2016年5月15日"));
    EXPECT_EQ(settleButton()->text(), "修改(F12)");
    EXPECT_EQ(textOf("ID"), idText());
    EXPECT_EQ(textOf("编辑框_时间"), "05-15 12:30");
    EXPECT_EQ(textOf("编辑框_备注"), "少辣");
    EXPECT_EQ(textOf("编辑框_姓名"), "李四");
    const OrderGrid grid = window->orderGrid();
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.cell(2, OrderGrid::Name), "宫保鸡丁");

    // The clock leaves the stored time alone while the order is edited.
    clock.set({2026, 12, 8, 13, 0, 0});
    window->tick();
    EXPECT_EQ(textOf("编辑框_时间"), "05-15 12:30");

    OrderDraft draft = window->orderDraft();
    draft.remark = "不要香菜";
    draft.lines = {{"水煮鱼", "1", "份", "38"}};
    window->loadOrderDraft(draft);
    boxes.answers = {false};
    window->saveEditedOrder();

    EXPECT_EQ(boxes.lastText(), "修改成功。是否打印小票？");
    EXPECT_EQ(count("select count(*) from 存单"), 1);
    EXPECT_EQ(stored("ID"), std::to_string(id));
    EXPECT_EQ(stored("时间"), "2016年5月15日12时30分");
    EXPECT_EQ(stored("备注"), "不要香菜");
    EXPECT_EQ(count("select count(*) from 存单详单 where 存单ID=" + std::to_string(id) +
                    " and 菜名='水煮鱼'"),
              1);
    EXPECT_EQ(count("select count(*) from 存单详单"), 1);
    EXPECT_EQ(settleButton()->text(), "打单结算(F12)");
}

TEST_F(OrderEditing, ReprintingAfterTheSave) {
    ScriptedPrintDialogs dialogs{filePath("receipt.pdf")};
    window->form().previewButton->click();
    auto* preview = window->findChild<PreviewWindow*>();
    ASSERT_NE(preview, nullptr);
    const int empty = preview->contentHeight();
    ASSERT_TRUE(window->editStoredOrder(window.get(), idText(), "2016年5月15日"));
    EXPECT_GT(preview->contentHeight(), empty);
    dialogs.cancel = true;
    boxes.answers = {true};
    window->saveEditedOrder();
    EXPECT_EQ(dialogs.shown, 1);
    EXPECT_EQ(settleButton()->text(), "修改(F12)");
    EXPECT_EQ(textOf("ID"), idText());

    dialogs.cancel = false;
    boxes.answers = {true};
    window->saveEditedOrder();
    EXPECT_TRUE(PdfTools::text(dialogs.pdfPath, 1).contains("宫保鸡丁"));
    EXPECT_EQ(settleButton()->text(), "打单结算(F12)");
    EXPECT_TRUE(textOf("ID").isEmpty());
    EXPECT_EQ(preview->contentHeight(), empty) << "the preview shows the order on screen";
    EXPECT_EQ(count("select count(*) from 存单详单"), 2);
    // Two saves and the one receipt that printed.
    EXPECT_EQ(count("select count(*) from 操作记录 where 操作='修改订单' and 存单ID=" +
                    std::to_string(id)),
              2);
    EXPECT_EQ(count("select count(*) from 操作记录 where 操作='重打小票' and 存单ID=" +
                    std::to_string(id)),
              1);
}

// Every stored byte of a row, as SQLite holds it.
std::string storedBytes(Database& db, const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db.connection(), sql.c_str(), -1, &statement, nullptr);
    std::string bytes;
    while (sqlite3_step(statement) == SQLITE_ROW)
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            const double real = sqlite3_column_double(statement, i);
            bytes += std::to_string(sqlite3_column_type(statement, i)) + ":" +
                     std::string(reinterpret_cast<const char*>(&real), sizeof real) +
                     std::string(reinterpret_cast<const char*>(sqlite3_column_blob(statement, i)),
                                 static_cast<std::size_t>(sqlite3_column_bytes(statement, i))) +
                     "|";
        }
    sqlite3_finalize(statement);
    return bytes;
}

TEST_F(OrderEditing, SavingWithoutAChangeWritesBackEveryStoredValue) {
    const struct {
        const char *header, *shop, *table, *discount, *payment, *time;
    } orders[] = {
        {"饿了么(第1联)", "山东手工水饺", "包厢 滕王阁", "开业酬宾", "支付宝支付",
         "2016-05-15 09:05:07"},
        {"不在列表的票头", "不在列表的店", "不在列表的桌", "会员价", "挂账", "2016-05-15 23:59:59"},
        {"", "", "", "", "", "2016-05-15 00:00:01"},
    };
    std::vector<long long> ids = {id};
    for (const auto& o : orders) {
        ASSERT_TRUE(db.ExecuteSql(
            std::string("insert into 存单 (编号,票头,店铺名称,时间,减免,减免份数,减免金额,合计,"
                        "支付方式,已付,实付,桌号,电话,姓名,地址,是否结算,备注) values (3,'") +
            o.header + "','" + o.shop + "','" + o.time + "','" + o.discount + "',1,5,37.5,'" +
            o.payment + "',30,32.5,'" + o.table + "','','','','1','')"));
        ids.push_back(db.lastInsertId());
        execute("insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) values (" +
                std::to_string(ids.back()) + ",'" + o.time + "','酸菜鱼',2,'份',37.5)");
    }
    for (const long long order : ids) {
        const std::string key = std::to_string(order);
        const std::string row = "select * from 存单 where ID=" + key;
        const std::string lines =
            "select 存单ID,销售时间,菜名,数量,单位,小计 from 存单详单 where 存单ID=" + key;
        const std::string rowBefore = storedBytes(db, row), linesBefore = storedBytes(db, lines);
        ASSERT_TRUE(window->editStoredOrder(window.get(), QString::number(order), "2016年5月15日"));
        boxes.answers = {false};
        window->saveEditedOrder();
        EXPECT_EQ(boxes.lastText(), "修改成功。是否打印小票？");
        EXPECT_TRUE(storedBytes(db, row) == rowBefore) << "order " << order;
        EXPECT_TRUE(storedBytes(db, lines) == linesBefore) << "order " << order;
    }
    EXPECT_EQ(dropDown("组合框_付款方式")->count(), 6);

    // Changing one line changes that line only.
    const std::string key = std::to_string(ids[1]);
    const std::string rowBefore = storedBytes(db, "select * from 存单 where ID=" + key);
    ASSERT_TRUE(
        window->editStoredOrder(window.get(), QString::fromStdString(key), "2016年5月15日"));
    OrderDraft draft = window->orderDraft();
    draft.lines[0].dishName = "水煮鱼";
    window->loadOrderDraft(draft);
    boxes.answers = {false};
    window->saveEditedOrder();
    EXPECT_TRUE(storedBytes(db, "select * from 存单 where ID=" + key) == rowBefore);
    EXPECT_EQ(count("select count(*) from 存单详单 where 存单ID=" + key +
                    " and 菜名='水煮鱼' and 数量=2 and 小计=37.5"),
              1);
}

TEST_F(OrderEditing, ANulPastedIntoANameIsDroppedAndElsewhereRefusedByName) {
    const QString pasted = QStringLiteral("张") + QChar(0) + QStringLiteral("三");
    edit("编辑框_姓名")->insert(pasted);
    EXPECT_EQ(textOf("编辑框_姓名"), "张三");
    dropDown("组合框_店铺名称")->lineEdit()->selectAll();
    dropDown("组合框_店铺名称")->lineEdit()->insert(pasted);
    EXPECT_EQ(dropDown("组合框_店铺名称")->currentText(), "张三");

    ASSERT_TRUE(window->editStoredOrder(window.get(), idText(), "2016年5月15日"));
    edit("编辑框_地址")->insert(pasted);
    const std::string before = storedBytes(db, "select * from 存单");
    window->saveEditedOrder();
    EXPECT_TRUE(boxes.lastText().contains("“地址”")) << boxes.lastText().toStdString();
    EXPECT_TRUE(storedBytes(db, "select * from 存单") == before);
    EXPECT_EQ(settleButton()->text(), "修改(F12)");
}

TEST_F(OrderEditing, AnOrderOnScreenIsClearedOnlyOnYes) {
    edit("编辑框_电话")->setText("138");
    boxes.answers = {false};
    EXPECT_FALSE(window->editStoredOrder(window.get(), idText(), "2016年5月15日"));
    EXPECT_EQ(boxes.shown.last().title, "提示");
    EXPECT_EQ(textOf("编辑框_电话"), "138");
    EXPECT_EQ(settleButton()->text(), "打单结算(F12)");
}

TEST_F(OrderEditing, ASetManagerPasswordIsAskedBeforeTheOrderIsTaken) {
    ASSERT_EQ(ManagerPassword(db, 1000).change("", "老板", "老板").outcome,
              ManagerPassword::Outcome::Set);
    boxes.inputs = {std::nullopt, "错的"};
    for (const QString said : {"请输入管理密码：", "管理密码不正确，订单没有打开。"}) {
        EXPECT_FALSE(window->editStoredOrder(window.get(), idText(), "2016年5月15日"));
        EXPECT_EQ(boxes.lastText(), said);
        EXPECT_EQ(settleButton()->text(), "打单结算(F12)");
    }
    boxes.inputs = {"老板"};
    EXPECT_TRUE(window->editStoredOrder(window.get(), idText(), "2016年5月15日"));
    EXPECT_EQ(settleButton()->text(), "修改(F12)");
}

TEST_F(OrderEditing, AnOrderDeletedMeanwhileIsNotTakenIntoEditing) {
    edit("编辑框_电话")->setText("138");
    EXPECT_FALSE(window->editStoredOrder(window.get(), "999999", "2016年5月15日"));
    EXPECT_EQ(boxes.lastText(), "该订单已不存在，无法修改。");
    EXPECT_EQ(textOf("编辑框_电话"), "138");
    EXPECT_EQ(settleButton()->text(), "打单结算(F12)");
}

TEST_F(OrderEditing, TheHistoryWindowHandsTheSelectedOrderOverAndCloses) {
    PagedList orders(PagedList::Kind::Orders);
    HistoryWindow history(db, orders, clock, window.get());
    history.setEditHandler([this](QWidget* owner, const QString& order, const QString& date) {
        return window->editStoredOrder(owner, order, date);
    });
    history.show();
    history.findChild<QPushButton*>("按钮_修改")->click();
    EXPECT_EQ(boxes.lastText(), "请选择要修改的项目。");

    ListControls::selectRow(history.panel()->list(), 0);
    history.findChild<QPushButton*>("按钮_修改")->click();
    EXPECT_EQ(history.result(), QDialog::Accepted);
    EXPECT_FALSE(history.isVisible());
    EXPECT_EQ(textOf("ID"), idText());
    EXPECT_EQ(window->orderGrid().rowCount(), 4);
}

} // namespace
