#include "ui/reports/ReportPrinter.h"

#include "reports/ReportSheet.h"

#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QLegend>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace {

// The shape of a chart, width to height; pies go two to a row, as beside the
// grid in the window. Each chart is laid out at its printed size, in units of
// a 96-dpi screen, so its texts keep their point sizes on paper.
constexpr QSizeF lineShape(900, 500);
constexpr QSizeF pieShape(420, 360);
constexpr double layoutDpi = 96;

// The height the chart needs at this width: its shape's, or more where its
// legend, one entry a line beside the chart, would not show every entry whole.
// Qt lays an entry out a little under twice its font's height.
double neededHeight(QChart* chart, double width, double shapeHeight) {
    QGraphicsScene scene;
    scene.addItem(chart);
    chart->resize(width, shapeHeight);
    QLegend* legend = chart->legend();
    const bool beside = legend->alignment() & (Qt::AlignLeft | Qt::AlignRight);
    const double entries = legend->isVisible() && beside ? legend->markers().size() : 0;
    const double lacking =
        entries * 2 * QFontMetricsF(legend->font()).height() - legend->geometry().height();
    scene.removeItem(chart);
    return shapeHeight + std::max(0.0, lacking);
}

QColor fromWindowsColour(std::uint32_t colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QFont pointFont(double points, bool bold = false) {
    QFont font;
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace

// Sizes in device pixels of the printer.
struct ReportPrinter::Layout {
    double width = 0, height = 0;
    double mm = 0;
    double header = 0, footer = 0, row = 0, gap = 0;
    double columnWidth = 0;
    int chartsPerRow = 1;
    QSizeF canvas; // a chart's printed size in layout units
    double chartWidth = 0, chartHeight = 0;
    double bodyTop() const { return header; }
    double bodyBottom() const { return height - footer; }
};

ReportPrinter::ReportPrinter(const ReportSheet& sheet, QList<QChart*> charts, QString printedAt)
    : m_sheet(sheet), m_charts(std::move(charts)), m_printedAt(std::move(printedAt)) {}

ReportPrinter::~ReportPrinter() {
    qDeleteAll(m_charts);
}

void ReportPrinter::preparePrinter(QPrinter& printer) {
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
}

int ReportPrinter::print(QPrinter& printer) {
    printer.setDocName(QString::fromStdString(m_sheet.title()));
    const int pages = walk(printer, nullptr, 0);
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    walk(printer, &painter, pages);
    painter.end();
    return pages;
}

int ReportPrinter::walk(QPrinter& printer, QPainter* painter, int pageCount) {
    Layout layout;
    layout.width = printer.width();
    layout.height = printer.height();
    layout.mm = printer.resolution() / 25.4;
    layout.header = 16 * layout.mm;
    layout.footer = 10 * layout.mm;
    layout.row = 8 * layout.mm;
    layout.gap = 6 * layout.mm;
    layout.columnWidth = layout.width / m_sheet.columns();
    const bool pies = m_sheet.chart() == ReportSheet::Chart::Pie;
    layout.chartsPerRow = pies ? 2 : 1;
    layout.chartWidth = layout.width / layout.chartsPerRow;
    layout.canvas = chartCanvas(pies ? pieShape : lineShape,
                                layout.chartWidth * layoutDpi / printer.resolution());
    layout.chartHeight = layout.canvas.height() * printer.resolution() / layoutDpi;

    int page = 1;
    double y = layout.bodyTop();
    auto newPage = [&] {
        if (painter)
            printer.newPage();
        ++page;
        y = layout.bodyTop();
        if (painter)
            drawHeader(*painter, layout, page, pageCount);
    };
    if (painter)
        drawHeader(*painter, layout, page, pageCount);
    for (int row = 0; row < m_sheet.rowCount(); ++row) {
        if (y + layout.row > layout.bodyBottom()) {
            newPage();
            // A continued grid starts again with its headings.
            if (row > 1) {
                if (painter)
                    drawRow(*painter, layout, 1, y);
                y += layout.row;
            }
        }
        if (painter)
            drawRow(*painter, layout, row, y);
        y += layout.row;
    }
    for (int i = 0; i < m_charts.size(); ++i) {
        const int place = i % layout.chartsPerRow;
        if (place == 0) {
            y += layout.gap;
            if (y + layout.chartHeight > layout.bodyBottom())
                newPage();
        }
        if (painter)
            drawChart(*painter, layout, m_charts[i],
                      QRectF(place * layout.chartWidth, y, layout.chartWidth, layout.chartHeight));
        if (place == layout.chartsPerRow - 1 || i == m_charts.size() - 1)
            y += layout.chartHeight;
    }
    return page;
}

QSizeF ReportPrinter::chartCanvas(QSizeF shape, double width) const {
    // Charts side by side share the tallest one's height.
    double height = width * shape.height() / shape.width();
    for (QChart* chart : m_charts)
        height =
            std::max(height, neededHeight(chart, width, width * shape.height() / shape.width()));
    return {width, height};
}

void ReportPrinter::drawChart(QPainter& painter, const Layout& layout, QChart* chart,
                              const QRectF& target) const {
    QGraphicsScene scene;
    scene.addItem(chart);
    chart->resize(layout.canvas);
    scene.render(&painter, target, QRectF(QPointF(0, 0), layout.canvas));
    scene.removeItem(chart);
}

void ReportPrinter::drawHeader(QPainter& painter, const Layout& layout, int page,
                               int pageCount) const {
    const double line = layout.header - 5 * layout.mm;
    painter.setPen(Qt::black);
    painter.setFont(pointFont(14, true));
    painter.drawText(QRectF(0, 0, layout.width, line), Qt::AlignLeft | Qt::AlignBottom,
                     QString::fromStdString(m_sheet.title()));
    painter.setFont(pointFont(9));
    painter.drawText(QRectF(0, 0, layout.width, line), Qt::AlignRight | Qt::AlignBottom,
                     QStringLiteral("打印日期：") + m_printedAt);
    painter.drawLine(QPointF(0, line + layout.mm), QPointF(layout.width, line + layout.mm));
    painter.drawText(QRectF(0, layout.height - layout.footer, layout.width, layout.footer),
                     Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("第 %1 页，共 %2 页").arg(page).arg(pageCount));
}

void ReportPrinter::drawRow(QPainter& painter, const Layout& layout, int row, double top) const {
    std::vector<int> spanOf(m_sheet.columns(), 1);
    std::vector<bool> covered(m_sheet.columns(), false);
    for (const auto& span : m_sheet.spans())
        if (span.row == row && span.column < m_sheet.columns()) {
            spanOf[span.column] = std::min(span.columns, m_sheet.columns() - span.column);
            for (int c = span.column + 1; c < span.column + spanOf[span.column]; ++c)
                covered[c] = true;
        }
    painter.setFont(pointFont(row == 0 ? 12 : 10, row <= 1));
    for (int column = 0; column < m_sheet.columns(); ++column) {
        if (covered[column])
            continue;
        const QRectF cell(column * layout.columnWidth, top, spanOf[column] * layout.columnWidth,
                          layout.row);
        if (row == 1)
            painter.fillRect(cell, QColor(0xEE, 0xEE, 0xEE));
        painter.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 0));
        painter.drawRect(cell);
        painter.setPen(fromWindowsColour(m_sheet.colour(row, column)));
        const QString text = painter.fontMetrics().elidedText(
            QString::fromStdString(m_sheet.text(row, column)), Qt::ElideRight,
            static_cast<int>(cell.width() - 2 * layout.mm));
        painter.drawText(cell, Qt::AlignCenter, text);
    }
}
