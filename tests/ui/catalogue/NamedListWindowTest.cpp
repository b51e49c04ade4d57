#include "CatalogueTestSupport.h"

#include "catalogue/NamedList.h"

#include "ui/catalogue/NamedListWindow.h"
namespace {

using Icon = MessageBoxes::Icon;

class NamedListWindows : public CatalogueWindowTest {
  protected:
    std::unique_ptr<NamedListWindow> open(const NamedList& list) {
        auto window = std::make_unique<NamedListWindow>(nullptr, db, list);
        box = child<QComboBox>(window.get(), "组合框1");
        return window;
    }
    // Rows holding exactly the text (the database compares ignoring case).
    int rows(const NamedList& list, const std::string& text) {
        int n = 0;
        const int handle = db.OpenTable(list.selectStatement());
        for (; !db.IsEOF(handle); db.MoveNext(handle))
            n += db.ReadColByName(handle, list.column()).toText() == text;
        db.CloseTable(handle);
        return n;
    }
    void expectMessage(const char* text) {
        ASSERT_FALSE(boxes.shown.isEmpty());
        EXPECT_EQ(boxes.shown.last().text, text);
        EXPECT_EQ(boxes.shown.last().icon, Icon::Information);
        EXPECT_EQ(boxes.shown.last().title, "提示");
    }

    QComboBox* box = nullptr;
};

TEST_F(NamedListWindows, EachListOpensWithItsOwnEntries) {
    struct Case {
        const NamedList& list;
        const char* title;
        int entries;
        const char* first;
    };
    const Case cases[] = {
        {NamedList::receiptHeaders(), "票头设置", 7, ""}, // an empty first entry
        {NamedList::shopNames(), "店铺名称设置", 6, ""},
        {NamedList::discounts(), "优惠减免设置", 5, ""},
        {NamedList::units(), "计量单位设置", 10, "份"}, // units have none
    };
    for (const Case& c : cases) {
        auto window = open(c.list);
        EXPECT_EQ(window->windowTitle(), c.title);
        EXPECT_EQ(box->count(), c.entries) << c.title;
        EXPECT_EQ(box->itemText(0), c.first) << c.title;
        EXPECT_EQ(box->currentText(), "") << c.title;
    }
}

TEST_F(NamedListWindows, AddComparesUntrimmedAndCaseSensitive) {
    for (const NamedList* list : {&NamedList::shopNames(), &NamedList::units()}) {
        auto window = open(*list);
        const int entries = box->count();
        struct Case {
            const char* text;
            const char* message;
        };
        const Case cases[] = {
            {"", "请填入要添加的内容"}, {"Box", "保存完成"},
            {"Box", "该项已存在"},      {"box", "保存完成"}, // letter case makes another name
            {"Box ", "保存完成"},                            // so does a trailing blank
            {"Joe's", "保存完成"},      {"Joe's", "该项已存在"},
        };
        for (const Case& c : cases) {
            box->setEditText(c.text);
            click(window.get(), "按钮_保存");
            expectMessage(c.message);
            EXPECT_EQ(box->currentText(), c.text);
        }
        EXPECT_EQ(box->count(), entries + 4);
        EXPECT_EQ(box->itemText(box->count() - 1), "Joe's");
        for (const char* text : {"Box", "box", "Box ", "Joe's"})
            EXPECT_EQ(rows(*list, text), 1) << list->table() << ": " << text;
    }
}

TEST_F(NamedListWindows, DeleteRemovesEveryRowOfTheNameButOneEntry) {
    const NamedList& list = NamedList::discounts();
    ASSERT_TRUE(db.ExecuteSql("insert into 减免 (减免名称) values ('开业酬宾')"));
    auto window = open(list);
    ASSERT_EQ(box->count(), 6);

    for (const char* text : {"", "开业", "开业酬宾 "}) {
        box->setEditText(text);
        click(window.get(), "按钮_删除");
        expectMessage("请填入或选择要删除的内容");
    }
    EXPECT_EQ(rows(list, "开业酬宾"), 2);

    box->setCurrentIndex(box->findText("开业酬宾"));
    click(window.get(), "按钮_删除");
    expectMessage("删除完成");
    EXPECT_EQ(rows(list, "开业酬宾"), 0);
    EXPECT_EQ(box->count(), 5);
    EXPECT_EQ(box->findText("开业酬宾"), 4); // the second entry stays
    EXPECT_EQ(box->currentText(), "");
}

TEST_F(NamedListWindows, AnApostropheIsAddedAndDeletedLikeAnyText) {
    const NamedList& list = NamedList::receiptHeaders();
    auto window = open(list);
    box->setEditText("Joe's 外卖");
    click(window.get(), "按钮_保存");
    expectMessage("保存完成");
    auto again = open(list);
    box->setCurrentIndex(box->findText("Joe's 外卖"));
    click(again.get(), "按钮_删除");
    expectMessage("删除完成");
    EXPECT_EQ(rows(list, "Joe's 外卖"), 0);
    EXPECT_EQ(count("票头设置", "1 = 1"), 6);
}

TEST_F(NamedListWindows, FillDropDownKeepsTheShownTextSelected) {
    ASSERT_TRUE(db.ExecuteSql("insert into 店名 (店铺名称) values ('白云快餐')"));
    QComboBox combo;
    combo.setEditable(true);
    combo.setEditText("白云快餐");
    fillDropDown(&combo, db, "Select * from 店名", "店铺名称");
    EXPECT_EQ(combo.count(), 7);
    EXPECT_EQ(combo.itemText(0), "");
    EXPECT_EQ(combo.currentIndex(), 6); // the last of two equal rows

    combo.setEditText("没有的店");
    fillDropDown(&combo, db, "Select * from 店名", "店铺名称");
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(combo.currentText(), "没有的店");

    QComboBox fixed;
    fillDropDown(&fixed, db, "Select * from 店名", "店铺名称");
    EXPECT_EQ(fixed.currentIndex(), -1);
    fillUnitDropDown(&fixed, db);
    EXPECT_EQ(fixed.count(), 10);
    EXPECT_EQ(fixed.currentIndex(), -1);
}

} // namespace
