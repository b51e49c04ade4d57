#include "CatalogueTestSupport.h"

#include "ui/catalogue/StationEditWindow.h"
#include "ui/catalogue/StationListWindow.h"

#include <QSpinBox>

namespace {

class StationWindows : public ListWindowTest<StationListWindow, StationEditWindow> {
  protected:
    void save(QWidget* editor, const QString& name, const QString& connection) {
        type(editor, "编辑框_名称", name);
        editor->findChild<QComboBox*>("组合框_打印机连接")->setCurrentText(connection);
        click(editor, editor->findChild<QPushButton*>("按钮_添加") ? "按钮_添加" : "按钮_保存");
    }
    std::string stationOf(const char* code) {
        return read("select 出品部门 from 菜单 where 代码 = '" + std::string(code) + "'",
                    "出品部门");
    }
};

TEST_F(StationWindows, AddRenameAndDeleteReachTheDishesOfTheStation) {
    auto add = editWindow(StationEditWindow::Mode::Add);
    add->findChild<QComboBox*>("组合框_打印模式")->setCurrentText("文字");
    add->findChild<QSpinBox*>("编辑框_份数")->setValue(2);
    save(add.get(), " 厨房 ", "192.168.1.50");
    EXPECT_EQ(lastMessage(), "保存完成。");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(cell(list, 0, 2), "tcp:192.168.1.50:9100");
    EXPECT_EQ(read("select * from 出品部门", "份数"), "2");
    save(add.get(), "厨房", "192.168.1.51");
    EXPECT_EQ(lastMessage(), "出品部门已经存在，不能重复添加。");
    save(add.get(), "凉菜", "");
    EXPECT_TRUE(lastMessage().startsWith("请填写打印机连接")) << lastMessage().toStdString();
    execute("update 菜单 set 出品部门 = '厨房' where 代码 in ('005','006')");

    ListControls::selectRow(list, 0);
    auto modify = editWindow(StationEditWindow::Mode::Modify);
    save(modify.get(), "热菜", "192.168.1.50");
    EXPECT_EQ(lastMessage(), "修改完成。");
    EXPECT_EQ(cell(list, 0, 1), "热菜");
    EXPECT_EQ(stationOf("005"), "热菜");

    ListControls::selectRow(list, 0);
    boxes.answers = {true};
    window->deleteSelected();
    EXPECT_EQ(boxes.shown.at(boxes.shown.size() - 2).text,
              "出品部门“热菜”还有 2 个菜品，删除后这些菜品不再打印厨房单。是否删除?");
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(stationOf("005"), "");
}

} // namespace
