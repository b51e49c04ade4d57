#pragma once
#include "ui/receipt/PrintDialogs.h"

#include <QString>

// Answers the print dialog: OK with a PDF file as the printer, or Cancel.
class ScriptedPrintDialogs : public PrintDialogs {
  public:
    explicit ScriptedPrintDialogs(QString pdfPath) : pdfPath(std::move(pdfPath)) { install(this); }
    ~ScriptedPrintDialogs() override { install(nullptr); }

    QString pdfPath;
    bool cancel = false;
    int shown = 0;

    bool choosePrinter(QPrinter& printer, QWidget*) override;
};
