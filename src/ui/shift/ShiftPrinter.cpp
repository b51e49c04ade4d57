#include "ui/shift/ShiftPrinter.h"

#include "receipt/PrinterSettings.h"
#include "receipt/ReceiptSettings.h"
#include "shift/ShiftRecord.h"
#include "shift/ShiftSlip.h"
#include "storage/config/SettingsStore.h"
#include "ui/receipt/PainterCanvas.h"
#include "ui/receipt/PrintDialogs.h"
#include "ui/receipt/ReceiptPrinter.h"
#include "ui/receipt/ThermalPrinter.h"
#include "receipt/ThermalReceipt.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace {

constexpr double marginMm = 5;

QString titleOf(const ShiftRecord& record) {
    return QString::fromStdString(record.title());
}

} // namespace

bool ShiftPrinter::print(const ShiftRecord& record, bool openDrawer) {
    const ReceiptSettings settings = loadReceiptSettings(m_db);
    const PrinterSettings thermal = PrinterSettings::load(SettingsStore(m_db));
    if (thermal.method != PrinterSettings::Method::EscPos)
        return printOnPage(record, settings.paperWidth);
    const int dots = settings.receiptType;
    return ThermalPrinter(m_parent).printSlip(
        thermal, dots,
        [&](ReceiptCanvas& canvas, int& y) {
            ShiftSlip::compose(record, canvas, ThermalReceipt::paperDots(dots), y);
        },
        titleOf(record), openDrawer && thermal.openDrawer);
}

// The page is cut to the slip, as a roll printer cuts its paper.
bool ShiftPrinter::printOnPage(const ShiftRecord& record, int paperWidth) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(titleOf(record));
    if (!PrintDialogs::instance().choosePrinter(printer, m_parent))
        return false;
    const auto draw = [&](QPainter* painter) {
        PainterCanvas canvas(&printer, painter, ReceiptPrinter::unitsPerPoint);
        int y = 0;
        ShiftSlip::compose(record, canvas, paperWidth, y);
        return y;
    };
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const double width = paperWidth / 10.0 + 2 * marginMm;
        const double height = draw(nullptr) / 10.0 + 2 * marginMm;
        printer.setPageLayout(QPageLayout(
            QPageSize(QSizeF(width, std::max(width, height)), QPageSize::Millimeter, titleOf(record)),
            QPageLayout::Portrait, QMarginsF(marginMm, marginMm, marginMm, marginMm),
            QPageLayout::Millimeter));
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double scale = printer.resolution() / 254.0;
    painter.scale(scale, scale);
    draw(&painter);
    return painter.end();
}
