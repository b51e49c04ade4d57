#pragma once
#include <QList>
#include <QSizeF>
#include <QString>

class QChart;
class QPainter;
class QPrinter;
class QRectF;
class ReportSheet;

// A report on A4 paper, portrait: its grid fitted to the page's width and
// continued on further pages with the headings again, then its charts; the
// title and the print date head every page and the page number ends it.
class ReportPrinter {
  public:
    // printedAt: "2017年5月8日 14:05"; the charts are the printer's to delete.
    ReportPrinter(const ReportSheet& sheet, QList<QChart*> charts, QString printedAt);
    ~ReportPrinter();
    ReportPrinter(const ReportPrinter&) = delete;
    ReportPrinter& operator=(const ReportPrinter&) = delete;

    // A4 portrait, margins of 15 mm.
    static void preparePrinter(QPrinter& printer);
    // Draws every page; the number of pages.
    int print(QPrinter& printer);

  private:
    struct Layout;
    // Walks the pages: with a painter it draws them, without it only counts them.
    int walk(QPrinter& printer, QPainter* painter, int pageCount);
    void drawHeader(QPainter& painter, const Layout& layout, int page, int pageCount) const;
    void drawRow(QPainter& painter, const Layout& layout, int row, double top) const;
    // The printed size of the charts, in layout units, at the given width.
    QSizeF chartCanvas(QSizeF shape, double width) const;
    void drawChart(QPainter& painter, const Layout& layout, QChart* chart,
                   const QRectF& target) const;

    const ReportSheet& m_sheet;
    QList<QChart*> m_charts;
    QString m_printedAt;
};
