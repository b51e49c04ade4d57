#pragma once
#include "spreadsheet/Progress.h"

#include <QProgressDialog>

// The progress dialog of a long export or import, with its cancel button.
// It shows only when the work lasts long enough to need it.
class TaskProgress {
  public:
    TaskProgress(QWidget* parent, const QString& label, const QString& title);
    ~TaskProgress();

    // For the work to report to; false once the user cancelled.
    Progress callback();

  private:
    QProgressDialog m_dialog;
};
