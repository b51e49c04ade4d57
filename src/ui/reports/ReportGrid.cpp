#include "ui/reports/ReportGrid.h"

#include "reports/ReportSheet.h"

#include <QHeaderView>

namespace {

// Report colours are held in Windows order, red in the lowest byte.
QColor fromWindowsColour(std::uint32_t colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

} // namespace

ReportGrid::ReportGrid(QWidget* parent) : QTableWidget(parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
}

void ReportGrid::showSheet(const ReportSheet& sheet) {
    clearSpans();
    clearContents();
    setColumnCount(sheet.columns());
    setRowCount(sheet.rowCount());
    m_columnWidth = sheet.columnWidth();
    for (const auto& span : sheet.spans())
        if (span.row < rowCount())
            setSpan(span.row, span.column, 1, span.columns);
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column) {
            auto* item = new QTableWidgetItem(QString::fromStdString(sheet.text(row, column)));
            item->setTextAlignment(Qt::AlignCenter);
            if (const auto colour = sheet.colour(row, column))
                item->setForeground(fromWindowsColour(colour));
            setItem(row, column, item);
        }
    }
    fitColumns();
}

void ReportGrid::fitColumns() {
    if (columnCount() == 0)
        return;
    // The columns keep their set width when the grid is wide enough; a narrow
    // grid beside a chart shares its width out so no figure is cut off.
    const int available = viewport()->width() / columnCount();
    const int width = qMin(m_columnWidth, qMax(40, available));
    for (int column = 0; column < columnCount(); ++column)
        setColumnWidth(column, width);
}

void ReportGrid::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    fitColumns();
}
