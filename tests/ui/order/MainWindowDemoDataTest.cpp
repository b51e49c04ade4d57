#include "support/MainWindowTest.h"

#include <QAction>
#include <QLabel>

namespace {

TEST_F(MainWindowTest, DemoDataFillsTheYearAndMovesTheOrderNumberOn) {
    boxes.answers = {true};
    window->form().demoDataAction->trigger();
    EXPECT_TRUE(boxes.lastText().startsWith("是否生成随机数据？\n\n数据库中现有0张订单。"))
        << boxes.lastText().toStdString();
    const int today = count("select count(*) from 存单 where  时间>cdate('2026年12月8日') and "
                            "时间<=cdate('2026年12月9日')");
    ASSERT_GT(today, 0);
    EXPECT_EQ(count("select count(*) from 存单 where 时间 < #2026/1/1#"), 0);
    EXPECT_EQ(count("select count(*) from 存单 where 桌号 = ''"), 0);
    EXPECT_EQ(count("select max(编号) from 存单 where  时间>cdate('2026年12月8日') and "
                    "时间<=cdate('2026年12月9日')") +
                  1,
              textOf("编辑框_编号").toInt());
    EXPECT_EQ(window->form().orderCountPart->text(), "今日打单数量：" + QString::number(today));
}

TEST_F(MainWindowTest, DemoDataDeclinedStoresNothing) {
    boxes.answers = {false};
    window->form().demoDataAction->trigger();
    EXPECT_EQ(count("select count(*) from 存单"), 0);
    EXPECT_EQ(textOf("编辑框_编号"), "1");
}

} // namespace
