#pragma once

class QPrinter;
class QWidget;

// The print dialog behind one interface, so that tests can pick a PDF file
// instead of a printer, or cancel.
class PrintDialogs {
  public:
    virtual ~PrintDialogs() = default;
    // Lets the cashier choose the printer (or a PDF file); false on Cancel.
    virtual bool choosePrinter(QPrinter& printer, QWidget* parent) = 0;

    static PrintDialogs& instance();
    static void install(PrintDialogs* dialogs);
};
