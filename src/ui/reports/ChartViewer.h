#pragma once
#include "reports/ChartFileReader.h"

#include <QList>
#include <QWidget>
#include <optional>

class QChart;
class QHBoxLayout;

// The chart area of the report windows: draws "xml/line-chart.xml" and
// "piedata.xml" as the reports write them.
class ChartViewer : public QWidget {
    Q_OBJECT
  public:
    explicit ChartViewer(QWidget* parent = nullptr);

    // An unreadable or empty file leaves the area empty.
    void showLineChart(const QString& path);
    void showPieChart(const QString& path);
    void clear();

    // What is drawn now, for the windows' tests.
    int chartCount() const;
    QStringList titles() const;
    // The charts drawn now, made afresh for another page, such as a printed
    // one; the caller owns them.
    QList<QChart*> makeCharts() const;

  private:
    static QChart* lineChart(const LineChartData& data);
    static QChart* pieChart(const PieChartData& data, int index);
    void addView(QChart* chart);

    QHBoxLayout* m_layout;
    std::optional<LineChartData> m_line;
    std::optional<PieChartData> m_pies;
};
