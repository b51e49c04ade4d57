#include "ReportTestSupport.h"

#include "storage/values/Clock.h"
#include "support/StorageConditions.h"
#include "ui/reports/ChartViewer.h"
#include "ui/reports/IncomeReportWindow.h"
#include "ui/reports/PeriodPicker.h"
#include "ui/reports/ReportGrid.h"
#include "ui/reports/SalesReportWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

const QString thisYear = QString::number(Clock::system().now().year);
const QString noData = QStringLiteral("没有找到对应时间内的点单数据。");

class ReportWindowsTest : public ReportWindowTest {
  protected:
    void addOrder(const QString& time, int paid) {
        TestDatabase::addOrder({.time = time.toStdString(), .paid = std::to_string(paid)});
    }
    void addLine(const QString& time, const QString& dish, int quantity, double subtotal) {
        TestDatabase::addLine(1, time.toStdString(), dish.toStdString(), std::to_string(quantity),
                              std::to_string(subtotal));
    }
    static QString cell(const ReportWindow& window, int row, int column) {
        const auto* item = window.grid()->item(row, column);
        return item ? item->text() : QString();
    }

    SalesReportState m_salesState;
};

TEST_F(ReportWindowsTest, IncomeWindowOpensOnThisYearWithGridAndPies) {
    addOrder(thisYear + "-01-15 12:00:00", 30);
    addOrder(thisYear + "-03-15 12:00:00", 50);
    IncomeReportWindow window(db);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("收入报表"));
    EXPECT_EQ(window.caption()->text(), QStringLiteral("正在浏览:") + thisYear + "年 年报表");
    EXPECT_EQ(cell(window, 0, 0), thisYear + "年 年报表");
    EXPECT_EQ(window.grid()->columnSpan(0, 0), 4);
    EXPECT_EQ(cell(window, 2, 0), thisYear + "-01");
    EXPECT_EQ(window.grid()->item(2, 1)->foreground().color(), QColor(Qt::red));
    EXPECT_EQ(window.grid()->item(2, 2)->foreground().color(), QColor(Qt::blue));
    EXPECT_EQ(window.grid()->item(2, 1)->textAlignment(), int(Qt::AlignCenter));
    EXPECT_EQ(window.grid()->rowCount(), 2 + 2 + 3);
    EXPECT_FALSE(window.chartArea()->isHidden());
    EXPECT_EQ(window.grid()->maximumWidth(), 408);
    EXPECT_EQ(window.chartArea()->titles(),
              (QStringList{thisYear + "年 年收入参考", thisYear + "年 开单数量参考"}));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(ReportWindowsTest, DayReportHidesTheChartAndWidensTheGrid) {
    addOrder(thisYear + "-01-15 12:00:00", 30);
    IncomeReportWindow window(db);
    ASSERT_TRUE(window.showDayIncomeReport(thisYear + "年1月15日"));
    EXPECT_TRUE(window.chartArea()->isHidden());
    EXPECT_GT(window.grid()->maximumWidth(), 408);
    EXPECT_EQ(window.grid()->columnSpan(1, 0), 2);
    EXPECT_EQ(cell(window, 1, 2), QStringLiteral("实付"));
    EXPECT_EQ(cell(window, 2, 2), QStringLiteral("30"));
}

TEST_F(ReportWindowsTest, PeriodWithoutOrdersSaysSoAndKeepsTitleAndHeadings) {
    IncomeReportWindow window(db);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, noData);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("提示"));
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Information);
    EXPECT_EQ(window.grid()->rowCount(), 2);
    EXPECT_EQ(cell(window, 1, 0), QStringLiteral("月份"));
    EXPECT_EQ(window.chartArea()->chartCount(), 0);
}

TEST_F(ReportWindowsTest, DataThatCannotBeReadIsToldNotShownAsNothingFound) {
    addOrder(thisYear + "-01-15 12:00:00", 30);
    IncomeReportWindow window(db);
    {
        StorageConditions::OtherWriter other(db, folder.file("data/data.mdb"));
        EXPECT_FALSE(window.showDayIncomeReport(thisYear + "年1月15日"));
    }
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("读取报表数据失败：数据库正被其他程序使用，请稍后"
                                                  "重试。报表没有显示，数据没有改动。"));
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Warning);
    EXPECT_EQ(window.grid()->rowCount(), 2);
}

TEST_F(ReportWindowsTest, TillsThatCannotBeReadAreToldAndEveryTillIsOffered) {
    addOrder(thisYear + "-01-15 12:00:00", 30);
    StorageConditions::OtherWriter other(db, folder.file("data/data.mdb"));
    SalesReportWindow window(db, nullptr, &m_salesState);
    ASSERT_GE(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text,
              QStringLiteral("读取收银台列表失败：数据库正被其他程序使用，请稍后"
                             "重试。只能查看全部收银台。"));
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Warning);
    ASSERT_EQ(window.tillFilter()->count(), 1);
    EXPECT_EQ(window.tillFilter()->currentText(), QStringLiteral("全部收银台"));
}

TEST_F(ReportWindowsTest, PickerStaysOpenWithoutDataAndClosesWithIt) {
    addOrder("2015-06-01 12:00:00", 30);
    IncomeReportWindow window(db);
    boxes.shown.clear();
    onNextModal([](QWidget* modal) {
        auto* picker = qobject_cast<PeriodPicker*>(modal);
        ASSERT_NE(picker, nullptr);
        auto* months = picker->findChild<QListWidget*>(QStringLiteral("列表框_时段"));
        auto* years = picker->findChild<QComboBox*>(QStringLiteral("组合框_年份"));
        EXPECT_EQ(years->itemText(0), thisYear);
        EXPECT_EQ(years->itemText(years->count() - 1), QStringLiteral("2010"));
        years->setCurrentText(QStringLiteral("2015"));
        emit months->itemClicked(months->item(4)); // May: nothing
        EXPECT_TRUE(picker->isVisible());
        emit months->itemClicked(months->item(5)); // June
        EXPECT_FALSE(picker->isVisible());
    });
    window.pickMonth();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, noData);
    EXPECT_EQ(cell(window, 0, 0), QStringLiteral("2015年6月 月报表"));
    EXPECT_EQ(window.chartArea()->titles(), QStringList{QStringLiteral("2015年06月份 参考数据")});
}

TEST_F(ReportWindowsTest, SalesWindowOpensOnThisYearAndListsTheDishes) {
    addLine(thisYear + "-02-01 12:00:00", QStringLiteral("酸菜鱼"), 2, 32);
    addLine(thisYear + "-02-01 12:00:00", QStringLiteral("酸菜鱼"), 3, 48);
    SalesReportWindow window(db, nullptr, &m_salesState);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("销售统计"));
    EXPECT_EQ(cell(window, 0, 0), thisYear + "年 所有菜品销售表");
    EXPECT_EQ(window.grid()->columnSpan(0, 0), 3);
    EXPECT_EQ(cell(window, 2, 1), QStringLiteral("2"));
    EXPECT_EQ(window.chartArea()->titles(), QStringList{thisYear + "年 所有菜品销售参考数据"});
    QComboBox* filter = window.dishFilter();
    ASSERT_EQ(filter->count(), 1 + 28);
    EXPECT_EQ(filter->itemText(0), QStringLiteral("所有菜品"));
    EXPECT_EQ(filter->itemText(1), QStringLiteral("红烧排骨饭"));
}

TEST_F(ReportWindowsTest, DishFilterRerunsTheCurrentReport) {
    addLine(thisYear + "-02-01 12:00:00", QStringLiteral("酸菜鱼"), 2, 32);
    addLine(thisYear + "-02-01 13:00:00", QStringLiteral("鱼香肉丝"), 1, 13);
    SalesReportWindow window(db, nullptr, &m_salesState);
    window.dishFilter()->setCurrentText(QStringLiteral("鱼香肉丝"));
    EXPECT_EQ(cell(window, 0, 0), thisYear + "年 鱼香肉丝销售表");
    EXPECT_EQ(cell(window, 2, 2), QStringLiteral("13"));
    ASSERT_TRUE(window.runDayReport(thisYear + "年2月1日"));
    EXPECT_EQ(window.grid()->rowCount(), 1 + 5);
    EXPECT_EQ(cell(window, 2, 1), QStringLiteral("鱼香肉丝(1)"));
    window.dishFilter()->setCurrentIndex(0);
    EXPECT_EQ(cell(window, 0, 0), thisYear + "年2月1日所有菜品销售表");
    EXPECT_EQ(window.grid()->rowCount(), 2 + 5);
}

TEST_F(ReportWindowsTest, WithTheSalesWindowOpenTheIncomeDayPickerStartsTheSalesList) {
    addOrder(thisYear + "-02-01 12:00:00", 45);
    addLine(thisYear + "-02-01 12:00:00", QStringLiteral("酸菜鱼"), 2, 32);
    IncomeReportWindow income(db);
    SalesReportWindow sales(db, nullptr, &m_salesState);
    onNextModal([](QWidget* modal) {
        auto* picker = qobject_cast<PeriodPicker*>(modal);
        ASSERT_NE(picker, nullptr);
        picker->choose(thisYear + "年2月1日", {});
    });
    income.pickDay();
    EXPECT_EQ(cell(sales, 0, 0), thisYear + "年2月1日所有菜品销售表");
    EXPECT_EQ(m_salesState.mode, SalesReportState::Day);
    EXPECT_EQ(cell(income, 0, 0), thisYear + "年 年报表");
}

TEST_F(ReportWindowsTest, TillFilterListsTheTillsAndRunsTheReportShownForTheOneChosen) {
    for (const char* till : {"'一号台'", "'二号台'", "NULL"}) {
        addOrder(thisYear + "-02-01 12:00:00", 40);
        execute("update 存单 set 收银台=" + std::string(till) +
                " where ID=" + std::to_string(db.lastInsertId()));
        TestDatabase::addLine(db.lastInsertId(), (thisYear + "-02-01 12:00:00").toStdString(),
                              "酸菜鱼", "1", "40");
    }
    addOrder(thisYear + "-02-01 13:00:00", 5);
    IncomeReportWindow income(db);
    QComboBox* tills = income.tillFilter();
    ASSERT_EQ(tills->count(), 4);
    EXPECT_EQ(tills->currentText(), QStringLiteral("全部收银台"));
    EXPECT_EQ(tills->itemText(1), QStringLiteral("一号台"));
    EXPECT_EQ(tills->itemText(3), QStringLiteral("（未记录）"));
    EXPECT_EQ(tills->accessibleName(), QStringLiteral("收银台"));
    EXPECT_EQ(tills->accessibleDescription(), QStringLiteral("组合框_收银台"));
    ASSERT_TRUE(income.showDayIncomeReport(thisYear + "年2月1日"));
    EXPECT_EQ(income.grid()->rowCount(), 4 + 5);
    tills->setCurrentIndex(3);
    EXPECT_EQ(income.caption()->text(), QStringLiteral("正在浏览:") + thisYear +
                                            QStringLiteral("年2月1日 点单报表 收银台：（未记录）"));
    EXPECT_EQ(income.grid()->rowCount(), 2 + 5);
    EXPECT_EQ(cell(income, 2, 2), QStringLiteral("40"));
    EXPECT_EQ(cell(income, 3, 2), QStringLiteral("5"));
    SalesReportWindow sales(db, nullptr, &m_salesState);
    sales.tillFilter()->setCurrentIndex(2);
    EXPECT_EQ(cell(sales, 0, 0), thisYear + QStringLiteral("年 所有菜品销售表 收银台：二号台"));
    EXPECT_EQ(cell(sales, 2, 2), QStringLiteral("40"));
    sales.tillFilter()->setCurrentIndex(0);
    EXPECT_EQ(cell(sales, 0, 0), thisYear + "年 所有菜品销售表");
    EXPECT_EQ(cell(sales, 2, 2), QStringLiteral("120"));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(ReportWindowsTest, DayPickerStartsTheIncomeDayReport) {
    addOrder("2017-05-08 12:00:00", 45);
    IncomeReportWindow window(db);
    onNextModal([](QWidget* modal) {
        auto* date = modal->findChild<QDateEdit*>();
        ASSERT_NE(date, nullptr);
        date->setDate(QDate(2017, 5, 8));
        modal->findChild<QPushButton*>(QStringLiteral("按钮_确认"))->click();
    });
    window.pickDay();
    EXPECT_EQ(cell(window, 0, 0), QStringLiteral("2017年5月8日 点单报表"));
}

} // namespace

TEST_F(ReportWindowsTest, ChartsFillTheirAreaWhateverReportRanBefore) {
    addOrder(thisYear + "-01-15 12:00:00", 30);
    addOrder(thisYear + "-03-15 12:00:00", 50);
    IncomeReportWindow window(db);
    window.show();
    const auto widths = [&] {
        QApplication::processEvents();
        QList<int> result;
        for (QWidget* view :
             window.chartArea()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            result << view->width();
        return result;
    };
    const int area = window.chartArea()->width();
    const auto piesFill = [&](const char* after) {
        const QList<int> pies = widths();
        ASSERT_EQ(pies.size(), 2) << after;
        for (int width : pies)
            EXPECT_GT(width, area * 2 / 5) << after;
    };
    piesFill("opening");
    ASSERT_TRUE(window.showMonthIncomeReport(thisYear, "01"));
    ASSERT_EQ(widths().size(), 1);
    EXPECT_GT(widths().first(), area * 9 / 10);
    ASSERT_TRUE(window.showQuarterIncomeReport(thisYear, "1"));
    piesFill("quarter after month");
    ASSERT_TRUE(window.showYearIncomeReport(thisYear));
    piesFill("year after month");
}
