#include "ui/receipt/ReceiptPrinter.h"

#include "receipt/PrinterSettings.h"
#include "receipt/ReceiptComposer.h"
#include "receipt/ReceiptOrder.h"
#include "receipt/ReceiptPictures.h"
#include "receipt/ReceiptSettings.h"
#include "storage/config/ProgramFolder.h"
#include "storage/config/SettingsStore.h"
#include "ui/receipt/PainterCanvas.h"
#include "ui/receipt/PrintDialogs.h"
#include "ui/receipt/PrintProgressNote.h"
#include "ui/receipt/ThermalPrinter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <optional>

namespace {

constexpr double pdfMarginMm = 5;

} // namespace

int ReceiptPrinter::draw(QPrinter& printer, QPainter* painter, const Copy& copy) {
    if (painter) {
        painter->save();
        const double scale = printer.resolution() / 254.0;
        painter->scale(scale, scale);
    }
    PainterCanvas canvas(&printer, painter, unitsPerPoint);
    int y = 0;
    composeCopy(copy.settings, copy.order, canvas, y, copy.pictures, copy.withPictures);
    if (painter)
        painter->restore();
    return y;
}

// A PDF page is cut to the receipt, as a roll printer cuts its paper; a
// real printer keeps the paper its driver reports.
void ReceiptPrinter::fitPdfPage(QPrinter& printer, const Copy& copy) {
    const double widthMm = copy.settings.paperWidth / 10.0 + 2 * pdfMarginMm;
    const double heightMm = draw(printer, nullptr, copy) / 10.0 + 2 * pdfMarginMm;
    const QPageSize size(QSizeF(widthMm, std::max(heightMm, widthMm)), QPageSize::Millimeter,
                         QStringLiteral("小票"));
    printer.setPageLayout(QPageLayout(size, QPageLayout::Portrait,
                                      QMarginsF(pdfMarginMm, pdfMarginMm, pdfMarginMm, pdfMarginMm),
                                      QPageLayout::Millimeter));
}

bool ReceiptPrinter::printReceipt(const ReceiptOrder& order, bool withCopies, bool settling,
                                  const std::function<bool()>& startJob) {
    const ReceiptSettings settings = loadReceiptSettings(m_db);
    const PrinterSettings thermal = PrinterSettings::load(SettingsStore(m_db));
    if (thermal.method == PrinterSettings::Method::EscPos)
        return (!startJob || startJob()) &&
               ThermalPrinter(m_parent).printReceipt(settings, thermal, order, withCopies,
                                                     settling);
    const ReceiptPictures pictures(settings, settings.paperWidth, unitsPerPicturePixel,
                                   ProgramFolder::path() + "/data");
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("小票 #") + QString::fromStdString(order.number));
    if (!PrintDialogs::instance().choosePrinter(printer, m_parent) || (startJob && !startJob()))
        return false;

    // A PDF file would be overwritten by a second job, so its copies become
    // further pages of the one document; a printer gets one job per copy.
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    std::optional<PrintProgressNote> note;
    if (PrintProgressNote::wanted(printer))
        note.emplace(m_parent);
    const int copies = withCopies ? std::max(1, settings.copies) : 1;
    QPainter painter;
    for (int n = 1; n <= copies; ++n) {
        const Copy copy{settings, order, pictures, n == 1};
        if (toFile)
            fitPdfPage(printer, copy);
        if (toFile && n > 1)
            printer.newPage();
        else if (!painter.begin(&printer))
            return false;
        draw(printer, &painter, copy);
        if (!toFile)
            painter.end();
    }
    if (painter.isActive())
        painter.end();
    return true;
}

ReceiptPrinter::Start ReceiptPrinter::startReceipt(const ReceiptOrder& order, bool withCopies,
                                                   bool settling,
                                                   const std::function<bool()>& startJob) {
    const PrinterSettings thermal = PrinterSettings::load(SettingsStore(m_db));
    if (thermal.method != PrinterSettings::Method::EscPos)
        return {printReceipt(order, withCopies, settling, startJob), nullptr, {}};
    if (startJob && !startJob())
        return {};
    auto job = ThermalPrinter(m_parent).startReceipt(loadReceiptSettings(m_db), thermal, order,
                                                     withCopies, settling);
    return {false, std::move(job), ThermalPrinter::connectionText(thermal)};
}
