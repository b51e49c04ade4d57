#pragma once
#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into closing the windows on the event loop, so that
// a shutdown of the machine still saves what closing the main window saves.
class TerminationSignal : public QObject {
    Q_OBJECT
  public:
    explicit TerminationSignal(QObject* parent = nullptr);
    ~TerminationSignal() override;

  private:
    void onSignal();
    QSocketNotifier* m_notifier = nullptr;
};
