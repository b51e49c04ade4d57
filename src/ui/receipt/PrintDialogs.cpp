#include "ui/receipt/PrintDialogs.h"

#include <QPrintDialog>
#include <QPrinter>

namespace {

class QtPrintDialogs : public PrintDialogs {
  public:
    bool choosePrinter(QPrinter& printer, QWidget* parent) override {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("打印"));
        return dialog.exec() == QDialog::Accepted;
    }
};

PrintDialogs* g_installed = nullptr;

} // namespace

PrintDialogs& PrintDialogs::instance() {
    static QtPrintDialogs real;
    return g_installed ? *g_installed : real;
}

void PrintDialogs::install(PrintDialogs* dialogs) {
    g_installed = dialogs;
}
