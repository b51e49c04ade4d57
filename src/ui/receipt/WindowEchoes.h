#pragma once
#include <QElapsedTimer>
#include <QList>
#include <QMargins>
#include <QRect>

class QWidget;

// Placements asked of one window, to tell them from moves by the cashier:
// the window system reports a placement late, sometimes through states in
// between, and the frame's size only once the window manager has framed it.
class WindowEchoes {
  public:
    enum class Report {
        Ours,   // a placement asked for, or a state on the way to it
        Framed, // the frame changed size: placement must count it again
        Foreign // a move or resize that someone else made
    };

    explicit WindowEchoes(QWidget* window);

    void place(const QRect& frame);
    // What the window's latest move or resize was.
    Report classify();

  private:
    struct Request {
        QRect frame;
        qint64 askedAt;
    };

    QWidget* m_window;
    QList<Request> m_pending;
    QMargins m_margins;
    QElapsedTimer m_clock;
};
