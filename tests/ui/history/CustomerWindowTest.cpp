#include "ui/history/CustomerWindow.h"
#include "support/WindowTest.h"
#include "ui/common/ListControls.h"
#include "ui/common/PagedListPanel.h"
#include "ui/history/CustomerEditDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class CustomerWindowTest : public WindowTest {
  protected:
    CustomerWindowTest() : WindowTest(Start::Template, DateTime{2017, 5, 15, 12, 0, 0}) {}

    CustomerWindow& open() {
        window = std::make_unique<CustomerWindow>(db, customers, orders, clock);
        return *window;
    }
    QTreeWidget* list() const { return window->panel()->list(); }
    QString label(const QString& name) const { return window->findChild<QLabel*>(name)->text(); }
    QStringList column(int column) const {
        QStringList texts;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            texts << list()->topLevelItem(i)->text(column);
        return texts;
    }
    void search(const QString& text) {
        window->findChild<QLineEdit*>("编辑框_查找")->setText(text);
        window->findChild<QPushButton*>("按钮_查找")->click();
    }
    void type(CustomerEditDialog& dialog, const QString& telephone, const QString& name,
              const QString& address) {
        dialog.findChild<QLineEdit*>("编辑框_客户电话")->setText(telephone);
        dialog.findChild<QLineEdit*>("编辑框_客户姓名")->setText(name);
        dialog.findChild<QLineEdit*>("编辑框_客户地址")->setText(address);
    }
    int stored() { return count("select count(*) from 客户"); }

    PagedList customers{PagedList::Kind::Customers};
    PagedList orders{PagedList::Kind::Orders};
    std::unique_ptr<CustomerWindow> window;
};

TEST_F(CustomerWindowTest, FourHundredOneCustomersMakeThreePagesAndANewOneLandsLast) {
    db.begin();
    for (int i = 0; i < 401; ++i)
        addCustomer("1380000" + std::to_string(1000 + i), "客户", "北街");
    db.commit();
    open();
    EXPECT_EQ(label("标签_总页数"), "/3");
    EXPECT_EQ(label("状态条_客户_0"), "共有客户数据:401条");
    EXPECT_TRUE(list()->isColumnHidden(0));

    window->findChild<QPushButton*>("标签_到尾页")->click();
    std::unique_ptr<CustomerEditDialog> add = window->addDialog();
    type(*add, "999", "新客", "南街");
    add->saveButton()->click();
    EXPECT_EQ(boxes.lastText(), "保存完成。");
    EXPECT_EQ(label("标签_当前页"), "3");
    EXPECT_EQ(column(1).last(), "999");
    EXPECT_TRUE(add->findChild<QLineEdit*>("编辑框_客户电话")->text().isEmpty());
}

TEST_F(CustomerWindowTest, SearchMatchesTheWholeNameOrTelephoneOnly) {
    addCustomer("139", "李四", "北街");
    addCustomer("1390", "李四四", "南街");
    addCustomer("138", "O'Neil", "东街");
    open();

    search("李四");
    EXPECT_EQ(column(1), (QStringList{"139"}));
    search("李");
    EXPECT_TRUE(column(1).isEmpty());
    search("1390");
    EXPECT_EQ(column(2), (QStringList{"李四四"}));
    search("O'Neil");
    EXPECT_EQ(column(1), (QStringList{"138"}));

    search("");
    EXPECT_EQ(boxes.lastText(), "请输入需要查找的客户电话或姓名。");
    search(QString::fromUtf8("李\0四", 4));
    EXPECT_EQ(boxes.lastText(), "查找的内容中含有无法查找的空字符（NUL），请删除后重试。");
    window->findChild<QPushButton*>("按钮_浏览所有客户")->click();
    EXPECT_EQ(list()->topLevelItemCount(), 3);
}

TEST_F(CustomerWindowTest, ChangedTelephoneInTheModifyWindowAddsASecondCustomerOnYes) {
    addCustomer("139", "李四", "北街");
    open();
    EXPECT_EQ(window->modifyDialog(), nullptr);
    EXPECT_EQ(boxes.lastText(), "请选择要修改的项目。");

    ListControls::selectRow(list(), 0);
    std::unique_ptr<CustomerEditDialog> modify = window->modifyDialog();
    EXPECT_EQ(modify->findChild<QLineEdit*>("编辑框_客户姓名")->text(), "李四");
    modify->findChild<QLineEdit*>("编辑框_客户电话")->setText("138");
    boxes.answers = {false};
    modify->saveButton()->click();
    EXPECT_EQ(stored(), 1);

    type(*modify, "138", "李四", "北街");
    boxes.answers = {true};
    modify->saveButton()->click();
    EXPECT_EQ(stored(), 2);
    EXPECT_EQ(column(1), (QStringList{"139", "138"}));
    EXPECT_EQ(boxes.lastText(), "保存完成。");
}

TEST_F(CustomerWindowTest, ModifyingNameAndAddressUpdatesTheRowInPlace) {
    addCustomer("139", "李四", "北街");
    open();
    ListControls::selectRow(list(), 0);
    std::unique_ptr<CustomerEditDialog> modify = window->modifyDialog();
    modify->show();
    type(*modify, "139", "李四", " 南街 ");
    modify->saveButton()->click();
    EXPECT_EQ(list()->topLevelItem(0)->text(3), "南街");
    EXPECT_EQ(scalar("select 地址 from 客户"), "南街");
    EXPECT_FALSE(modify->isVisible());
    EXPECT_EQ(boxes.lastText(), "修改完成。");
}

TEST_F(CustomerWindowTest, AddingAKnownTelephoneOverwritesOnYesAndCloses) {
    addCustomer("139", "李四", "北街");
    open();
    std::unique_ptr<CustomerEditDialog> add = window->addDialog();
    add->show();
    type(*add, "139", "王五", "南街");
    boxes.answers = {true};
    add->saveButton()->click();
    const auto& question = boxes.shown.at(boxes.shown.size() - 2);
    EXPECT_EQ(question.icon, MessageBoxes::Icon::Warning);
    EXPECT_EQ(question.defaultButton, MessageBoxes::Default::No);
    EXPECT_EQ(column(2), (QStringList{"王五"}));
    EXPECT_FALSE(add->isVisible());
    EXPECT_EQ(stored(), 1);
}

TEST_F(CustomerWindowTest, DeletingTheLastRowSelectsTheNewLastRow) {
    addCustomer("139", "李四", "北街");
    addCustomer("138", "王五", "南街");
    open();
    ListControls::selectRow(list(), 1);
    boxes.answers = {true};
    pressKey(list(), Qt::Key_Delete);
    EXPECT_EQ(boxes.shown.first().text,
              "客户电话：138\r\n客户姓名：王五\r\n客户地址：南街\r\n\r\n是否删除该客户？");
    EXPECT_EQ(column(1), (QStringList{"139"}));
    EXPECT_TRUE(list()->topLevelItem(0)->isSelected());
    EXPECT_EQ(label("状态条_客户_0"), "共有客户数据:1条");
}

TEST_F(CustomerWindowTest, AnEmptyOrEmptiedFileListsWhatIsAdded) {
    open();
    std::unique_ptr<CustomerEditDialog> add = window->addDialog();
    type(*add, "139", "李四", "北街");
    add->saveButton()->click();
    EXPECT_EQ(column(1), (QStringList{"139"})) << "added to an empty file";
    EXPECT_EQ(label("标签_当前页"), "1");

    ListControls::selectRow(list(), 0);
    boxes.answers = {true};
    pressKey(list(), Qt::Key_Delete);
    EXPECT_EQ(list()->topLevelItemCount(), 0);
    type(*add, "138", "王五", "南街");
    add->saveButton()->click();
    EXPECT_EQ(column(1), (QStringList{"138"})) << "added after the last one was deleted";
}

TEST_F(CustomerWindowTest, HistoryOfTheSelectedCustomer) {
    addCustomer("139", "李四", "北街");
    addOrder({.telephone = "139"});
    addOrder({.telephone = "138"});
    open();
    ListControls::selectRow(list(), 0);
    std::unique_ptr<HistoryWindow> history = window->historyDialog();
    EXPECT_EQ(history->windowTitle(), "139 的历史订单");
    EXPECT_EQ(history->panel()->list()->topLevelItemCount(), 1);
    EXPECT_EQ(history->statusCaption(), "正在浏览客户：139 的数据");
    EXPECT_FALSE(history->findChild<QPushButton*>("按钮_浏览所有单据")->isEnabled());
}

} // namespace
