#include "CatalogueTestSupport.h"

#include "support/ScriptedFileDialogs.h"
#include "ui/catalogue/DishCatalogueWindow.h"
#include "ui/catalogue/DishEditWindow.h"
#include "ui/catalogue/MenuImportDialog.h"
#include "ui/catalogue/NamedListWindow.h"

#include <QKeyEvent>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

using Icon = MessageBoxes::Icon;

class DishWindows : public ListWindowTest<DishCatalogueWindow, DishEditWindow> {
  protected:
    std::unique_ptr<DishEditWindow> addWindow() { return editWindow(DishEditWindow::Mode::Add); }
    std::unique_ptr<DishEditWindow> modifyWindow(int row) {
        ListControls::selectRow(list, row);
        return editWindow(DishEditWindow::Mode::Modify);
    }
    static void fill(QWidget* window, const QString& code, const QString& name,
                     const QString& price, const QString& unit) {
        type(window, "编辑框_数字代号", code);
        type(window, "编辑框_菜品名称", name);
        type(window, "编辑框_价格", price);
        auto* units = child<QComboBox>(window, "组合框_单位");
        units->setCurrentIndex(units->findText(unit));
    }
    int dishes(const std::string& name) {
        return count("菜单", "菜名 = " + Values::sqlQuote(name));
    }
};

TEST_F(DishWindows, ListsEveryDishWithItsPriceAsNumberText) {
    ASSERT_EQ(list->topLevelItemCount(), 28);
    EXPECT_EQ(list->columnCount(), 6);
    EXPECT_TRUE(list->isColumnHidden(0));
    const QStringList first = {"", "001", "hspgf", "红烧排骨饭", "18", "份"};
    for (int column = 0; column < 6; ++column)
        EXPECT_EQ(cell(list, 0, column), first[column]);
    EXPECT_EQ(cell(list, 4, 4), "15.5");
    EXPECT_EQ(ListControls::selectedRow(list), -1);
}

TEST_F(DishWindows, AddStoresTheRoundedPriceAndKeepsTheWindowReady) {
    auto add = addWindow();
    fill(add.get(), " 301 ", "葱油饼 ", "12.55", "个");
    click(add.get(), "按钮_添加");

    EXPECT_EQ(boxes.shown.last().text, "保存完成。");
    EXPECT_EQ(boxes.shown.last().icon, Icon::None);
    ASSERT_EQ(list->topLevelItemCount(), 29);
    const QStringList added = {"", "301", "cyb", "葱油饼", "12.6", "个"};
    for (int column = 0; column < 6; ++column)
        EXPECT_EQ(cell(list, 28, column), added[column]);
    EXPECT_EQ(ListControls::selectedRow(list), 28);
    EXPECT_EQ(read("Select * from 菜单 where 代码 = '301'", "价格"), "12.6");
    EXPECT_EQ(read("Select * from 菜单 where 代码 = '301'", "字母"), "cyb");
    for (const char* field :
         {"编辑框_数字代号", "编辑框_字母代号", "编辑框_菜品名称", "编辑框_价格"})
        EXPECT_TRUE(child<QLineEdit>(add.get(), field)->text().isEmpty()) << field;
    EXPECT_EQ(child<QComboBox>(add.get(), "组合框_单位")->currentText(), "个");
}

TEST_F(DishWindows, AddRefusesInTheOrderOfItsChecks) {
    struct Case {
        const char* code;
        const char* name;
        const char* price;
        const char* unit;
        const char* message;
        int selected;
    };
    const Case cases[] = {
        {"　", "", "0", "", "数字代号不能为空，请输入代号后重试。", 3},
        {"301", " ", "0", "", "菜名不能为空，请输入菜名后重试。", 3},
        {"301", "葱油饼", "0.04", "份", "价格不能小于或者等于0，请输入价格后重试。", 3},
        {"301", "葱油饼", "abc", "份", "价格“abc”不是数字，请输入价格后重试。", 3},
        {"301", "葱油饼", "", "份", "价格不能为空，请输入价格后重试。", 3},
        {"301", "葱油饼", "100000", "份", "价格不能超过99999.9，请输入价格后重试。", 3},
        {"301", "葱油饼", "-5", "份", "价格不能小于或者等于0，请输入价格后重试。", 3},
        {"301", "葱油饼", "inf", "份", "价格“inf”不是数字，请输入价格后重试。", 3},
        {"301", "葱油饼", "5", "", "没有选择项目的计量单位，请选择后重试。", 3},
        // the code is checked before the name, both being taken
        {"002", "红烧排骨饭", "5", "份", "代号已经存在，不能重复添加。", 1},
        {"301", "酸菜鱼 ", "5", "份", "菜名已经存在，不能重复添加。", 14},
    };
    for (const Case& c : cases) {
        ListControls::selectRow(list, 3); // a refusal keeps it
        auto add = addWindow();
        fill(add.get(), c.code, c.name, c.price, c.unit);
        click(add.get(), "按钮_添加");
        EXPECT_EQ(lastMessage(), c.message) << c.code << "/" << c.name << "/" << c.price;
        EXPECT_EQ(boxes.shown.last().icon, Icon::Information);
        EXPECT_EQ(ListControls::selectedRow(list), c.selected) << c.message;
        EXPECT_EQ(list->topLevelItemCount(), 28);
        EXPECT_EQ(child<QLineEdit>(add.get(), "编辑框_数字代号")->text(), c.code);
    }
    EXPECT_EQ(count("菜单", "1 = 1"), 28);
}

TEST_F(DishWindows, AddTellsCodesAndNamesApartExactly) {
    auto add = addWindow();
    fill(add.get(), "1", "红烧排骨饭x", "10", "份"); // 001 is taken, 1 is not
    click(add.get(), "按钮_添加");
    fill(add.get(), "abc", "Coke", "3", "瓶"); // a code of letters is accepted
    click(add.get(), "按钮_添加");
    fill(add.get(), "abd", "COKE", "3", "瓶"); // names differ in letter case
    click(add.get(), "按钮_添加");
    EXPECT_EQ(lastMessage(), "保存完成。");
    EXPECT_EQ(list->topLevelItemCount(), 31);
    EXPECT_EQ(count("菜单", "代码 = '1' or 代码 = 'abc' or 代码 = 'abd'"), 3);
}

TEST_F(DishWindows, FieldsTakeNoMoreThanTheirColumnsHold) {
    auto add = addWindow();
    const std::pair<const char*, int> fields[] = {
        {"编辑框_数字代号", 8}, {"编辑框_字母代号", 16}, {"编辑框_菜品名称", 32}};
    for (const auto& [field, length] : fields) {
        QTest::keyClicks(child<QLineEdit>(add.get(), field), QString(40, 'x'));
        EXPECT_EQ(child<QLineEdit>(add.get(), field)->text().size(), length) << field;
    }
}

TEST_F(DishWindows, AStatementTheDatabaseRefusesChangesNothingAndSaysNothing) {
    auto add = addWindow();
    fill(add.get(), "301", "葱油饼", "5", "份");
    db.close(); // every statement now fails
    const qsizetype shown = boxes.shown.size();
    click(add.get(), "按钮_添加");
    EXPECT_EQ(boxes.shown.size(), shown);
    EXPECT_EQ(list->topLevelItemCount(), 28);
    EXPECT_EQ(child<QLineEdit>(add.get(), "编辑框_菜品名称")->text(), "葱油饼");
}

TEST_F(DishWindows, TheNameRewritesTheLetterCodeWhichMayThenBeOverwritten) {
    auto add = addWindow();
    auto* letters = child<QLineEdit>(add.get(), "编辑框_字母代号");
    letters->setText("typed");
    type(add.get(), "编辑框_菜品名称", "A干煸四季度（大）");
    EXPECT_EQ(letters->text(), "Agbsjdd");
    fill(add.get(), "301", "A干煸四季度（大）", "20", "份");
    letters->setText("gbsjd2");
    click(add.get(), "按钮_添加");
    EXPECT_EQ(read("Select * from 菜单 where 代码 = '301'", "字母"), "gbsjd2");
}

TEST_F(DishWindows, DeleteAsksThenKeepsTheSelectionInTheList) {
    ListControls::selectRow(list, 27);
    boxes.answers = {false, true, true};
    window->deleteSelected();
    EXPECT_EQ(lastMessage(), "是否删除菜单中的：空心菜 ?");
    EXPECT_EQ(boxes.shown.last().icon, Icon::Question);
    EXPECT_EQ(dishes("空心菜"), 1);

    window->deleteSelected(); // the last row: the new last row is selected
    EXPECT_EQ(lastMessage(), "处理成功。");
    EXPECT_EQ(boxes.shown.last().icon, Icon::None);
    EXPECT_EQ(dishes("空心菜"), 0);
    EXPECT_EQ(ListControls::selectedRow(list), 26);
    EXPECT_EQ(cell(list, 26, 3), "王老吉");

    ListControls::selectRow(list, 3); // a middle row: the next one moves up into its place
    QKeyEvent deleteKey(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(list, &deleteKey);
    EXPECT_EQ(ListControls::selectedRow(list), 3);
    EXPECT_EQ(cell(list, 3, 3), "白菜肉水饺");

    ListControls::selectRow(list, -1);
    window->deleteSelected();
    EXPECT_EQ(lastMessage(), "请选择要删除的项目。");
    EXPECT_EQ(list->topLevelItemCount(), 26);
}

TEST_F(DishWindows, DeletingTheOnlyDishLeavesNoSelection) {
    ASSERT_TRUE(db.ExecuteSql("Delete * from 菜单 where 代码 <> '015'"));
    window->loadDishList();
    ListControls::selectRow(list, 0);
    boxes.answers = {true};
    window->deleteSelected();
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(ListControls::selectedRow(list), -1);
    EXPECT_EQ(count("菜单", "1 = 1"), 0);
}

TEST_F(DishWindows, ModifyFindsTheDishByName) {
    auto modify = modifyWindow(14); // 015 酸菜鱼 16 份
    EXPECT_EQ(child<QLineEdit>(modify.get(), "编辑框_数字代号")->text(), "015");
    EXPECT_EQ(child<QLineEdit>(modify.get(), "编辑框_价格")->text(), "16");
    EXPECT_EQ(child<QComboBox>(modify.get(), "组合框_单位")->currentText(), "份");
    modify->show();
    QApplication::processEvents();
    auto* code = child<QLineEdit>(modify.get(), "编辑框_数字代号");
    EXPECT_EQ(code->cursorPosition(), 3);
    EXPECT_FALSE(code->hasSelectedText());

    type(modify.get(), "编辑框_菜品名称", "酸菜鱼2");
    click(modify.get(), "按钮_保存");
    EXPECT_EQ(lastMessage(), "菜名不存在，无法完成修改。");
    EXPECT_EQ(boxes.shown.last().icon, Icon::Information);

    // the name of another dish changes that other dish
    fill(modify.get(), "915", "王老吉", "4.25", "罐");
    click(modify.get(), "按钮_保存");
    EXPECT_EQ(lastMessage(), "修改完成。");
    EXPECT_EQ(boxes.shown.last().icon, Icon::None);
    EXPECT_EQ(modify->result(), QDialog::Accepted);
    const QStringList changed = {"", "915", "scy", "王老吉", "4.3", "罐"};
    for (int column = 1; column < 6; ++column)
        EXPECT_EQ(cell(list, 26, column), changed[column]);
    EXPECT_EQ(ListControls::selectedRow(list), 26);
    EXPECT_EQ(cell(list, 14, 1), "015");
    EXPECT_EQ(read("Select * from 菜单 where 菜名 = '王老吉'", "代码"), "915");
    EXPECT_EQ(read("Select * from 菜单 where 菜名 = '王老吉'", "价格"), "4.3");
}

TEST_F(DishWindows, AnApostropheIsStoredFoundModifiedAndDeletedLikeAnyText) {
    auto add = addWindow();
    fill(add.get(), "3'01", "Joe's 饺子", "20", "份");
    click(add.get(), "按钮_添加");
    EXPECT_EQ(lastMessage(), "保存完成。");
    EXPECT_EQ(dishes("Joe's 饺子"), 1);
    EXPECT_EQ(read("Select * from 菜单 where 菜名 = 'Joe''s 饺子'", "字母"), "Joe's jz");

    fill(add.get(), "302", "Joe's 饺子", "20", "份");
    click(add.get(), "按钮_添加");
    EXPECT_EQ(lastMessage(), "菜名已经存在，不能重复添加。");

    auto modify = modifyWindow(28);
    type(modify.get(), "编辑框_价格", "22");
    click(modify.get(), "按钮_保存");
    EXPECT_EQ(lastMessage(), "修改完成。");
    EXPECT_EQ(read("Select * from 菜单 where 菜名 = 'Joe''s 饺子'", "价格"), "22");

    ListControls::selectRow(list, 28);
    boxes.answers = {true};
    window->deleteSelected();
    EXPECT_EQ(lastMessage(), "处理成功。");
    EXPECT_EQ(dishes("Joe's 饺子"), 0);
    EXPECT_EQ(count("菜单", "1 = 1"), 28);
}

TEST_F(DishWindows, TheStationIsChosenWithNoneFirstAndShownAgainForModifying) {
    execute("insert into 出品部门 (名称,打印机连接,热敏打印模式,份数,纸宽) values "
            "('厨房','tcp:127.0.0.1:9100','文字',1,80)");
    auto add = addWindow();
    auto* stations = child<QComboBox>(add.get(), "组合框_出品部门");
    ASSERT_EQ(stations->count(), 2);
    EXPECT_EQ(stations->itemText(0), "");
    stations->setCurrentIndex(1);
    fill(add.get(), "301", "拍黄瓜", "8", "份");
    click(add.get(), "按钮_添加");
    EXPECT_EQ(read("select 出品部门 from 菜单 where 代码 = '301'", "出品部门"), "厨房");

    auto modify = modifyWindow(list->topLevelItemCount() - 1);
    stations = child<QComboBox>(modify.get(), "组合框_出品部门");
    EXPECT_EQ(stations->currentText(), "厨房");
    stations->setCurrentIndex(0);
    click(modify.get(), "按钮_保存");
    EXPECT_EQ(read("select 出品部门 from 菜单 where 代码 = '301'", "出品部门"), "");
}

TEST_F(DishWindows, ClosingTheUnitsWindowRefillsTheUnitDropDown) {
    auto modify = modifyWindow(5); // 006 in 碗
    auto* units = child<QComboBox>(modify.get(), "组合框_单位");
    units->setCurrentIndex(0);
    QTimer::singleShot(0, [] {
        auto* window = qobject_cast<NamedListWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), "计量单位设置");
        child<QComboBox>(window, "组合框1")->setEditText("斤");
        click(window, "按钮_保存");
        window->reject();
    });
    click(modify.get(), "按钮_单位设置");
    EXPECT_EQ(units->count(), 11);
    EXPECT_EQ(units->itemText(10), "斤");
    EXPECT_EQ(units->currentText(), "碗"); // the unit of the selected dish again
}

class MenuFiles : public DishWindows {
  protected:
    // Answers the preview of the next import with the given button.
    void answerPreview(const char* button) {
        QTimer::singleShot(0, [this, button] {
            auto* preview = qobject_cast<MenuImportDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(preview, nullptr);
            previewRows = preview->table()->model()->rowCount();
            importEnabled = child<QPushButton>(preview, "按钮_导入")->isEnabled();
            child<QPushButton>(preview, button)->click();
        });
    }
    QString file(const char* name) const { return filePath(QString::fromUtf8(name)); }
    void write(const char* name, const std::string& content) {
        TempFolder::write(file(name).toStdString(), content);
    }

    int previewRows = -1;
    bool importEnabled = false;
};

TEST_F(MenuFiles, ImportShowsThePreviewAndStoresOnlyWhenConfirmed) {
    write("菜单.csv",
          "数字代号,菜名,价格,单位\n301,葱油饼,6,个\n302,凉皮,0,份\n001,红烧排骨饭,20,份\n");
    ScriptedFileDialogs files(file("菜单.csv"));

    answerPreview("按钮_取消");
    click(window.get(), "按钮_导入菜单");
    EXPECT_EQ(previewRows, 3);
    EXPECT_EQ(dishes("葱油饼"), 0);
    EXPECT_TRUE(boxes.shown.isEmpty());

    answerPreview("按钮_导入");
    click(window.get(), "按钮_导入菜单");
    EXPECT_TRUE(importEnabled);
    EXPECT_EQ(lastMessage(), "导入完成：新增1项，修改1项。");
    EXPECT_EQ(dishes("葱油饼"), 1);
    EXPECT_EQ(read("Select * from 菜单 where 代码 = '001'", "价格"), "20");
    ASSERT_EQ(list->topLevelItemCount(), 29);
    EXPECT_EQ(cell(list, 28, 3), "葱油饼");
}

TEST_F(MenuFiles, AFileWithoutTheColumnsIsRefusedBeforeAnyPreview) {
    write("名单.csv", "姓名,电话\n张三,138\n");
    ScriptedFileDialogs files(file("名单.csv"));
    click(window.get(), "按钮_导入菜单");
    EXPECT_TRUE(
        lastMessage().startsWith("文件的第一行没有找到这些列：数字代号、菜名、价格、单位。"));
    EXPECT_EQ(list->topLevelItemCount(), 28);
}

TEST_F(MenuFiles, ExportedMenuComesBackAsNothingToImport) {
    ScriptedFileDialogs files(file("菜单.xlsx"));
    click(window.get(), "按钮_导出菜单");
    EXPECT_EQ(files.suggestedName, "菜单.xlsx");
    EXPECT_EQ(lastMessage(), "导出完成。");

    answerPreview("按钮_取消");
    click(window.get(), "按钮_导入菜单");
    EXPECT_EQ(previewRows, 28);
    EXPECT_FALSE(importEnabled);
}

} // namespace
