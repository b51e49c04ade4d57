#include "ui/receipt/WindowEchoes.h"

#include "ui/common/FrameGeometry.h"

#include <QWidget>
#include <algorithm>

namespace {

// A placement not reported within this time was refused or merged into a
// later one.
constexpr qint64 reportWithinMs = 1000;

QMargins frameMargins(const QWidget* window) {
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

} // namespace

WindowEchoes::WindowEchoes(QWidget* window) : m_window(window), m_margins(frameMargins(window)) {
    m_clock.start();
}

void WindowEchoes::place(const QRect& frame) {
    if (m_window->frameGeometry() == frame)
        return;
    // A hidden window reports nothing back.
    if (m_window->isVisible())
        m_pending.append({frame, m_clock.elapsed()});
    setFrameGeometry(m_window, frame);
}

WindowEchoes::Report WindowEchoes::classify() {
    const QMargins margins = frameMargins(m_window);
    if (margins != m_margins) {
        m_margins = margins;
        m_pending.clear();
        return Report::Framed;
    }
    const qint64 now = m_clock.elapsed();
    m_pending.removeIf([now](const Request& r) { return now - r.askedAt > reportWithinMs; });
    const QRect frame = m_window->frameGeometry();
    const auto reported = std::find_if(m_pending.begin(), m_pending.end(),
                                       [&frame](const Request& r) { return r.frame == frame; });
    if (reported != m_pending.end()) {
        m_pending.erase(m_pending.begin(), reported + 1);
        return Report::Ours;
    }
    return m_pending.isEmpty() ? Report::Foreign : Report::Ours;
}
