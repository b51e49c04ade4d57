#include "ui/reports/ChartViewer.h"

#include "reports/ChartFileReader.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QScatterSeries>
#include <QValueAxis>

namespace {

QColor rgb(std::uint32_t color) {
    return QColor(QRgb(color));
}

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

QFont titleFont(int size, bool bold) {
    QFont font;
    font.setPixelSize(qBound(10, size, 24));
    font.setBold(bold);
    return font;
}

// Values in the files are plain numbers; a slice shows what the file asks for.
QString sliceLabel(const std::string& mode, const QString& name, double value) {
    const QString number = QString::number(value, 'g', 13);
    if (mode == "num")
        return number;
    if (mode == "font")
        return name;
    return name + " " + number;
}

} // namespace

ChartViewer::ChartViewer(QWidget* parent) : QWidget(parent), m_layout(new QHBoxLayout(this)) {
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(4);
}

void ChartViewer::clear() {
    while (auto* item = m_layout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_line.reset();
    m_pies.reset();
}

void ChartViewer::showLineChart(const QString& path) {
    clear();
    const auto data =
        ChartFileReader::parseLineChart(ChartFileReader::readFile(path.toStdString()));
    if (data.empty())
        return;
    m_line = data;
    addView(lineChart(data));
}

void ChartViewer::showPieChart(const QString& path) {
    clear();
    m_pies = ChartFileReader::parsePieChart(ChartFileReader::readFile(path.toStdString()));
    for (int i = 0; i < static_cast<int>(m_pies->pies.size()); ++i)
        addView(pieChart(*m_pies, i));
}

QList<QChart*> ChartViewer::makeCharts() const {
    QList<QChart*> charts;
    if (m_line)
        charts << lineChart(*m_line);
    for (int i = 0; m_pies && i < static_cast<int>(m_pies->pies.size()); ++i)
        charts << pieChart(*m_pies, i);
    return charts;
}

// Equal stretch: left to their size hints, charts drawn after another kind
// of chart split the area unevenly and cut their titles.
void ChartViewer::addView(QChart* chart) {
    auto* view = new QChartView(chart, this);
    view->setRenderHint(QPainter::Antialiasing);
    m_layout->addWidget(view, 1);
}

QChart* ChartViewer::lineChart(const LineChartData& data) {
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    if (!data.paragraphs.empty())
        chart->setTitle(qt(data.paragraphs.front()));
    chart->setTitleFont(titleFont(16, true));
    chart->setTitleBrush(QColor(0x00, 0x00, 0x66));
    auto* axisX = new QBarCategoryAxis;
    for (const auto& period : data.periods)
        axisX->append(qt(period));
    // A month has up to 31 days: their labels stand upright so none is cut.
    if (data.periods.size() > 12) {
        QFont small = axisX->labelsFont();
        small.setPixelSize(11);
        axisX->setLabelsFont(small);
        axisX->setLabelsAngle(-90);
    }
    auto* axisY = new QValueAxis;
    axisY->setRange(data.yMin, data.yMax > data.yMin ? data.yMax : data.yMin + 1);
    axisY->setTickCount(qMax(1, data.intervals) + 1);
    axisY->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    for (std::size_t s = 0; s < data.series.size(); ++s) {
        const auto& serie = data.series[s];
        auto* line = new QLineSeries;
        auto* points = new QScatterSeries;
        line->setName(qt(serie.name));
        line->setPen(QPen(rgb(serie.lineColor), qMax(1, serie.thickness)));
        points->setColor(rgb(serie.pointColor));
        points->setBorderColor(rgb(serie.lineColor));
        points->setMarkerSize(8);
        for (std::size_t p = 0; p < data.values.size(); ++p) {
            const double value = s < data.values[p].size() ? data.values[p][s] : 0;
            line->append(static_cast<double>(p), value);
            points->append(static_cast<double>(p), value);
        }
        for (auto* series : {static_cast<QXYSeries*>(line), static_cast<QXYSeries*>(points)}) {
            chart->addSeries(series);
            series->attachAxis(axisX);
            series->attachAxis(axisY);
        }
        chart->legend()->markers(points).first()->setVisible(false);
    }
    chart->legend()->setVisible(data.legendVisible);
    chart->legend()->setAlignment(Qt::AlignTop);
    return chart;
}

QChart* ChartViewer::pieChart(const PieChartData& data, int index) {
    const auto& pie = data.pies[index];
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(qt(pie.title));
    chart->setTitleFont(titleFont(pie.titleSize, pie.titleBold));
    chart->setTitleBrush(rgb(pie.titleColor));
    chart->setBackgroundBrush(rgb(data.background));
    auto* series = new QPieSeries;
    series->setPieSize(0.6);
    for (std::size_t i = 0; i < pie.values.size(); ++i) {
        const QString name = i < pie.names.size() ? qt(pie.names[i]) : QString();
        auto* slice = series->append(name, pie.values[i]);
        if (i < pie.colors.size())
            slice->setColor(rgb(pie.colors[i]));
        slice->setLabelColor(rgb(pie.textColor));
        slice->setLabelVisible(pie.percentMode != "none" && pie.values[i] > 0 &&
                               (i >= pie.showNames.size() || pie.showNames[i]));
        slice->setLabel(sliceLabel(pie.percentMode, name, pie.values[i]));
    }
    chart->addSeries(series);
    // The legend names each slice; the slices themselves carry the values.
    const auto markers = chart->legend()->markers(series);
    for (int i = 0; i < markers.size() && i < static_cast<int>(pie.names.size()); ++i)
        markers[i]->setLabel(qt(pie.names[i]));
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->legend()->setLabelColor(rgb(pie.legendTextColor));
    return chart;
}

int ChartViewer::chartCount() const {
    return m_layout->count();
}

QStringList ChartViewer::titles() const {
    QStringList titles;
    for (int i = 0; i < m_layout->count(); ++i)
        if (auto* view = qobject_cast<QChartView*>(m_layout->itemAt(i)->widget()))
            titles << view->chart()->title();
    return titles;
}
