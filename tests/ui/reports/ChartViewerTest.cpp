#include "ReportTestSupport.h"

#include "reports/ChartText.h"
#include "reports/LineChartWriter.h"
#include "reports/PieChartFile.h"
#include "ui/reports/ChartViewer.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPieSeries>
#include <QValueAxis>

namespace {

class ChartViewerTest : public ReportWindowTest {};

TEST_F(ChartViewerTest, DrawsTheLineChartFileEvenWhenItsTitleBreaksXml) {
    LineChartLayout layout;
    layout.yMax = 300;
    LineChartWriter writer;
    writer.setLayout(layout);
    writer.addParagraph(1, true, std::nullopt, 16, 45, 10, 500,
                        "2017年 \"老王\" & <面>销售参考数据");
    writer.addSerie(255, 2, 0xFFA8FF, "销售额");
    writer.addSerie(0xFF0000, 2, 0x80E000, "销售量");
    writer.setPeriods({"01月", "02月", "03月"});
    writer.addPeriodValues({"120.5", "80", "250"});
    writer.addPeriodValues({"12", "8"});
    writer.addPeriodValues({});
    writer.save(folder.path());

    ChartViewer viewer;
    viewer.showLineChart(filePath("xml/line-chart.xml"));
    ASSERT_EQ(viewer.chartCount(), 1);
    EXPECT_EQ(viewer.titles(), QStringList{QStringLiteral("2017年 \"老王\" & <面>销售参考数据")});
    const auto* chart = viewer.findChild<QChartView*>()->chart();
    QList<QLineSeries*> lines;
    for (auto* series : chart->series())
        if (series->type() == QAbstractSeries::SeriesTypeLine)
            lines << static_cast<QLineSeries*>(series);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0]->name(), QStringLiteral("销售额"));
    EXPECT_EQ(lines[0]->pen().color(), QColor(Qt::red));
    EXPECT_EQ(lines[1]->pen().color(), QColor(Qt::blue));
    EXPECT_EQ(lines[1]->at(2).y(), 0);
    const auto* axisY = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).first());
    EXPECT_EQ(axisY->max(), 300);
    EXPECT_EQ(axisY->tickCount(), 6);
}

TEST_F(ChartViewerTest, DrawsBothPiesAndNothingForAnEmptyFile) {
    PieChart first;
    first.title = "2017年 年收入参考";
    first.values = {100, 50};
    first.names = {"01月", "02月"};
    first.colors = {0x000080FF, 0xE80807FE};
    first.percentMode = "num";
    PieChart second = first;
    second.title = "2017年 开单数量参考";
    const std::string path = folder.path() + "/piedata.xml";
    ChartText::writeFile(path, PieChartFile::text(0xFFEAD5, 0xC06000, 0xC06000, first, second));

    ChartViewer viewer;
    viewer.showPieChart(QString::fromStdString(path));
    EXPECT_EQ(viewer.titles(), (QStringList{QStringLiteral("2017年 年收入参考"),
                                            QStringLiteral("2017年 开单数量参考")}));
    const auto* pie =
        static_cast<QPieSeries*>(viewer.findChild<QChartView*>()->chart()->series().first());
    ASSERT_EQ(pie->count(), 2);
    EXPECT_EQ(pie->slices()[0]->color(), QColor(0xFF, 0x80, 0x00));
    EXPECT_EQ(pie->slices()[0]->label(), QStringLiteral("100"));

    ChartText::writeFile(path, "");
    viewer.showPieChart(QString::fromStdString(path));
    EXPECT_EQ(viewer.chartCount(), 0);
}

} // namespace
