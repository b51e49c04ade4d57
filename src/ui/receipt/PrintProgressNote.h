#pragma once
#include <QWidget>

class QPrinter;

// "正在发送打印任务…": a small window shown while a job goes to a printer,
// for as long as the note lives. The order window does not answer meanwhile,
// and a printer may take a while to accept the job.
class PrintProgressNote : public QWidget {
    Q_OBJECT
  public:
    explicit PrintProgressNote(QWidget* owner);
    ~PrintProgressNote() override;

    // A PDF file is written at once; only a printer gets the note.
    static bool wanted(const QPrinter& printer);
};
