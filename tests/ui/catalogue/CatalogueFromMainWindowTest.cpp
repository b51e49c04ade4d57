#include "support/MainWindowTest.h"

#include <QAction>
#include <QTest>
#include <QTreeView>

namespace {

class CatalogueFromMainWindow : public MainWindowTest {
  protected:
    QStringList resultCodes(const QString& typed) const {
        QLineEdit* code = edit("编辑框_项目代号");
        code->clear();
        QTest::keyClicks(code, typed);
        QAbstractItemModel* model = control<QTreeView>("超级列表框2")->model();
        QStringList codes;
        for (int r = 0; r < model->rowCount(); ++r)
            codes << model->index(r, 1).data().toString();
        return codes;
    }
    QAction* tool(int position) const { return window->form().toolButtons.at(position); }
};

TEST_F(CatalogueFromMainWindow, ADishAddedInTheCatalogueIsFoundAtOnceByCodeAndLetters) {
    ASSERT_TRUE(resultCodes("cyb").isEmpty());
    QStringList titles;
    onNextModal([&titles](QWidget* catalogue) {
        titles << catalogue->windowTitle();
        onNextModal([&titles](QWidget* add) {
            titles << add->windowTitle();
            type(add, "编辑框_数字代号", "301");
            type(add, "编辑框_菜品名称", "葱油饼");
            type(add, "编辑框_价格", "6");
            add->findChild<QComboBox*>("组合框_单位")->setCurrentIndex(0);
            click(add, "按钮_添加");
            add->close();
        });
        click(catalogue, "按钮_添加");
        catalogue->close();
    });
    tool(5)->trigger();

    EXPECT_EQ(titles, (QStringList{"菜单设置", "项目或菜品添加"}));
    EXPECT_EQ(boxes.lastText(), "保存完成。");
    EXPECT_EQ(resultCodes("301"), QStringList{"301"});
    EXPECT_EQ(resultCodes("cyb"), QStringList{"301"});
    EXPECT_NE(window->dishes().findByName("葱油饼"), nullptr);
}

TEST_F(CatalogueFromMainWindow, ATableAddedInTheTableListIsChosenByItsCodeAtOnce) {
    QString title;
    onNextModal([&title](QWidget* tables) {
        title = tables->windowTitle();
        onNextModal([](QWidget* add) {
            type(add, "编辑框_数字代号", "301");
            type(add, "编辑框_桌号名称", "露台");
            click(add, "按钮_添加");
            add->close();
        });
        click(tables, "按钮_添加");
        tables->close();
    });
    tool(6)->trigger();

    EXPECT_EQ(title, "桌号设置");
    edit("编辑框_时间2")->setText("301");
    EXPECT_EQ(dropDown("组合框_桌号")->currentText(), "露台");
}

TEST_F(CatalogueFromMainWindow, TheSettingsMenuOpensTheThreeNamedLists) {
    const MainWindowForm& form = window->form();
    QStringList titles;
    for (QAction* action : {form.headerListAction, form.shopListAction, form.discountListAction}) {
        onNextModal([&titles](QWidget* list) {
            titles << list->windowTitle();
            list->close();
        });
        action->trigger();
    }
    EXPECT_EQ(titles, (QStringList{"票头设置", "店铺名称设置", "优惠减免设置"}));
}

TEST_F(CatalogueFromMainWindow, TheSettingsMenuOpensTheKitchenStations) {
    QString title;
    onNextModal([&title](QWidget* list) { title = list->windowTitle(); });
    window->form().stationListAction->trigger();
    EXPECT_EQ(title, "出品部门设置");
}

} // namespace
