#pragma once
#include <QString>

class QWidget;

// The two Word documents the program carries: written into the data folder
// (ProgramFolder) on demand, overwriting an older copy, and opened with the
// desktop's program for .docx files.
namespace HelpDocuments {

enum class Document { Tutorial, Printing };

QString fileName(Document document); // "怎样使用软件.docx", "打印不了怎么办.docx"
QString path(Document document);     // in the data folder
// False when the file could not be written.
bool write(Document document);
// Opens the written file with the desktop's program; false when none took it.
bool openWritten(Document document);
// Writes and opens the document; tells the cashier where it is when that fails.
void show(QWidget* parent, Document document);

} // namespace HelpDocuments
