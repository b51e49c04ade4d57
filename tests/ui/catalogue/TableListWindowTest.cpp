#include "CatalogueTestSupport.h"

#include "ui/catalogue/TableEditWindow.h"

#include "ui/catalogue/TableListWindow.h"

#include <QTimer>
namespace {

using Icon = MessageBoxes::Icon;

class TableWindows : public ListWindowTest<TableListWindow, TableEditWindow> {
  protected:
    void save(QWidget* editor, const QString& code, const QString& name) {
        type(editor, "编辑框_数字代号", code);
        type(editor, "编辑框_桌号名称", name);
        click(editor, editor->findChild<QPushButton*>("按钮_添加") ? "按钮_添加" : "按钮_保存");
    }
    // Said without a warning, and the table's row in the list, selected, and
    // in the database shows the code.
    void expectSaved(const char* message, int row, const char* code, const std::string& name) {
        EXPECT_EQ(lastMessage(), message);
        EXPECT_EQ(boxes.shown.last().icon, Icon::None);
        EXPECT_EQ(cell(list, row, 1), code);
        EXPECT_EQ(ListControls::selectedRow(list), row);
        EXPECT_EQ(read("Select * from 桌号 where 桌号名称 = " + Values::sqlQuote(name), "代号"),
                  code);
    }
    int tablesNamed(const std::string& name) {
        return count("桌号", "桌号名称 = " + Values::sqlQuote(name));
    }
};

TEST_F(TableWindows, ListsCodeAndNameOfEveryTable) {
    ASSERT_EQ(list->topLevelItemCount(), 18);
    EXPECT_EQ(list->columnCount(), 3);
    EXPECT_EQ(cell(list, 10, 1), "101");
    EXPECT_EQ(cell(list, 10, 2), "桌号 2楼1桌");
}

TEST_F(TableWindows, AddChecksCodeAndNameAfterTrimming) {
    auto add = editWindow(TableEditWindow::Mode::Add);
    struct Case {
        const char* code;
        const char* name;
        const char* message;
        int selected;
    };
    const Case cases[] = {
        {"0", "露台", "数字代号不能为空为 0，请输入代号后重试。", 3},
        {"abc", "露台", "数字代号不能为空为 0，请输入代号后重试。", 3},
        {" ", "露台", "数字代号不能为空为 0，请输入代号后重试。", 3},
        {"-3", "露台", "数字代号不能为空为 0，请输入代号后重试。", 3},
        {"301", "　", "桌号不能为空，请输入桌号后重试。", 3},
        {"201 ", "号牌 1", "代号已经存在，不能重复添加。", 14},
        {"301", "号牌 2 ", "桌号已经存在，不能重复添加。", 1},
    };
    for (const Case& c : cases) {
        ListControls::selectRow(list, 3); // a refusal keeps it
        save(add.get(), c.code, c.name);
        EXPECT_EQ(lastMessage(), c.message) << c.code << "/" << c.name;
        EXPECT_EQ(boxes.shown.last().icon, Icon::Information);
        EXPECT_EQ(ListControls::selectedRow(list), c.selected) << c.message;
    }
    EXPECT_EQ(count("桌号", "1 = 1"), 18);

    save(add.get(), " 12a ", " 露台 ");
    expectSaved("保存完成。", 18, "12a", "露台");
    EXPECT_EQ(cell(list, 18, 2), "露台");
    EXPECT_TRUE(child<QLineEdit>(add.get(), "编辑框_数字代号")->text().isEmpty());
    EXPECT_TRUE(child<QLineEdit>(add.get(), "编辑框_桌号名称")->text().isEmpty());
}

TEST_F(TableWindows, ModifyChangesTheCodeOfTheTableNamed) {
    ListControls::selectRow(list, 14); // 201 包厢 滕王阁
    auto modify = editWindow(TableEditWindow::Mode::Modify);
    EXPECT_EQ(child<QLineEdit>(modify.get(), "编辑框_数字代号")->text(), "201");
    EXPECT_EQ(child<QLineEdit>(modify.get(), "编辑框_桌号名称")->text(), "包厢 滕王阁");

    const char* refusal = "桌号已存在，无法重复定义该桌号。";
    save(modify.get(), "301", "包厢 滕王阁x"); // no table of that name
    EXPECT_EQ(lastMessage(), refusal);
    save(modify.get(), "202", "包厢 滕王阁"); // the code of 包厢 岳阳楼
    EXPECT_EQ(lastMessage(), refusal);
    EXPECT_EQ(boxes.shown.last().icon, Icon::Information);
    save(modify.get(), "0", "包厢 滕王阁");
    EXPECT_EQ(lastMessage(), "数字代号不能为空为 0，请输入代号后重试。");
    EXPECT_EQ(read("Select * from 桌号 where 桌号名称 = '包厢 滕王阁'", "代号"), "201");

    save(modify.get(), " 201 ", "包厢 滕王阁"); // its own code again
    EXPECT_EQ(lastMessage(), "修改完成。");
    save(modify.get(), "3", "号牌 4"); // another table, named in the field
    EXPECT_EQ(lastMessage(), refusal);
    save(modify.get(), "301", "号牌 4");
    expectSaved("修改完成。", 3, "301", "号牌 4");
    EXPECT_EQ(cell(list, 14, 1), "201");
}

TEST_F(TableWindows, ButtonsAndDoubleClickOpenTheEditWindows) {
    QStringList opened;
    const auto closeNextWindow = [&opened] {
        QTimer::singleShot(0, [&opened] {
            QWidget* window = QApplication::activeModalWidget();
            ASSERT_NE(window, nullptr);
            opened << window->windowTitle() + "/" +
                          child<QLineEdit>(window, "编辑框_数字代号")->text();
            window->close();
        });
    };
    closeNextWindow();
    click(window.get(), "按钮_添加");
    ListControls::selectRow(list, 2);
    closeNextWindow();
    click(window.get(), "按钮_修改");
    closeNextWindow();
    emit list->itemDoubleClicked(list->topLevelItem(2), 1);
    EXPECT_EQ(opened, (QStringList{"桌号添加/", "桌号修改/3", "桌号修改/3"}));
}

TEST_F(TableWindows, ModifyAndDeleteNeedASelectedRow) {
    window->openModifyWindow();
    EXPECT_EQ(lastMessage(), "请选择要修改的项目。");
    window->deleteSelected();
    EXPECT_EQ(lastMessage(), "请选择要删除的项目。");
    EXPECT_EQ(boxes.shown.last().icon, Icon::Information);
}

TEST_F(TableWindows, DeletingTheOnlyTableLeavesAnEmptyListWithoutSelection) {
    ASSERT_TRUE(db.ExecuteSql("Delete * from 桌号 where 代号 <> '5'"));
    window->load();
    ListControls::selectRow(list, 0);
    boxes.answers = {false, true};
    window->deleteSelected();
    EXPECT_EQ(lastMessage(), "是否删除桌号：号牌 5 ?");
    EXPECT_EQ(list->topLevelItemCount(), 1);
    window->deleteSelected();
    EXPECT_EQ(lastMessage(), "处理成功。");
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(ListControls::selectedRow(list), -1);
    EXPECT_EQ(count("桌号", "1 = 1"), 0);
}

TEST_F(TableWindows, AnApostropheIsStoredModifiedAndDeletedLikeAnyText) {
    auto add = editWindow(TableEditWindow::Mode::Add);
    save(add.get(), "7'7", "Joe's 桌");
    EXPECT_EQ(lastMessage(), "保存完成。");
    EXPECT_EQ(tablesNamed("Joe's 桌"), 1);

    auto modify = editWindow(TableEditWindow::Mode::Modify);
    save(modify.get(), "78", "Joe's 桌");
    EXPECT_EQ(lastMessage(), "修改完成。");
    EXPECT_EQ(read("Select * from 桌号 where 桌号名称 = 'Joe''s 桌'", "代号"), "78");

    boxes.answers = {true};
    window->deleteSelected();
    EXPECT_EQ(lastMessage(), "处理成功。");
    EXPECT_EQ(tablesNamed("Joe's 桌"), 0);
}

} // namespace
