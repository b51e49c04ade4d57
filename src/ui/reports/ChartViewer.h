#pragma once
#include <QWidget>

class QChart;
class QHBoxLayout;
struct LineChartData;
struct PieChartData;

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

  private:
    void addLineChart(const LineChartData& data);
    void addPie(const PieChartData& data, int index);
    void addView(QChart* chart);

    QHBoxLayout* m_layout;
};
