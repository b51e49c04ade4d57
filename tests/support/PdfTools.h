#pragma once
#include <QList>
#include <QString>
#include <QStringList>

// What poppler's tools read back from a printed PDF.
namespace PdfTools {

// The standard output of a program run to its end.
QString run(const QString& program, const QStringList& arguments);
// The text of one page (from 1), or of all pages.
QString text(const QString& pdf, int page = 0);
int pages(const QString& pdf);
// Pictures on each page, counted from `pdfimages -list`.
QList<int> picturesPerPage(const QString& pdf);

} // namespace PdfTools
