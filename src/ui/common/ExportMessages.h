#pragma once
#include "spreadsheet/Progress.h"

#include <QString>

class QWidget;

// What the user is told after writing a file: done, or why it failed. A
// cancel says nothing; the user knows.
namespace ExportMessages {

void tell(QWidget* parent, WriteResult result, const QString& path,
          const QString& done = QStringLiteral("导出完成。"));

} // namespace ExportMessages
