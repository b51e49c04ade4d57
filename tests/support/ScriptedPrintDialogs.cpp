#include "support/ScriptedPrintDialogs.h"

#include <QPrinter>

bool ScriptedPrintDialogs::choosePrinter(QPrinter& printer, QWidget*) {
    ++shown;
    if (cancel)
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    return true;
}
