#include "support/MainWindowTest.h"
#include "support/PdfTools.h"
#include "support/ScriptedPrintDialogs.h"

#include "history/ManagerPassword.h"
#include "history/PagedList.h"
#include "orders/OrderGrid.h"
#include "ui/common/ListControls.h"
#include "ui/common/PagedListPanel.h"
#include "ui/history/HistoryWindow.h"

#include <QPushButton>
#include <QTreeWidget>

namespace {

// A stored order of an earlier year taken back into the order window.
class OrderEditing : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        db.ExecuteSql(
            "insert into 存单 (编号,票头,店铺名称,时间,减免,减免份数,减免金额,合计,支付方式,"
            "已付,实付,桌号,电话,姓名,地址,是否结算,备注) values (7,'微信点餐','已改名的店',"
            "'2016-05-15 12:30:00','无',0,0,45.5,'微信支付',45,45,'','139','李四',"
            "'北街','1','少辣')");
        id = db.lastInsertId();
        for (const char* dish : {"鱼香肉丝", "宫保鸡丁"})
            db.ExecuteSql("insert into 存单详单 (存单ID,销售时间,菜名,数量,单位,小计) values (" +
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
    ASSERT_TRUE(window->editStoredOrder(window.get(), idText(), "2016年5月15日"));
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
    EXPECT_EQ(count("select count(*) from 存单详单"), 2);
    // Two saves and the one receipt that printed.
    EXPECT_EQ(count("select count(*) from 操作记录 where 操作='修改订单' and 存单ID=" +
                    std::to_string(id)),
              2);
    EXPECT_EQ(count("select count(*) from 操作记录 where 操作='重打小票' and 存单ID=" +
                    std::to_string(id)),
              1);
}

TEST_F(OrderEditing, AShopNoLongerListedKeepsTheShopShownBefore) {
    const QString shopBefore = dropDown("组合框_店铺名称")->currentText();
    ASSERT_TRUE(window->editStoredOrder(window.get(), idText(), "2016年5月15日"));
    EXPECT_EQ(dropDown("组合框_店铺名称")->currentText(), shopBefore);
    EXPECT_EQ(dropDown("组合框_付款方式")->currentText(), "微信支付");
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
    ManagerPassword(db, 1000).change("", "老板", "老板");
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
