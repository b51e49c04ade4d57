#include "ui/receipt/PrintDialogs.h"
#include "ui/common/Installable.h"

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

} // namespace

PrintDialogs& PrintDialogs::instance() {
    return Installable<PrintDialogs>::installedOr<QtPrintDialogs>();
}

void PrintDialogs::install(PrintDialogs* dialogs) {
    Installable<PrintDialogs>::install(dialogs);
}
