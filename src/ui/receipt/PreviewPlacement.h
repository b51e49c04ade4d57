#pragma once
#include <QRect>

// Where the order window and its receipt preview stand: side by side, the
// preview against the order window's right edge, both wholly on the screen.
// Rectangles are frame rectangles, title bar and borders included.
class PreviewPlacement {
  public:
    struct Pair {
        QRect order;
        QRect preview;
    };

    explicit PreviewPlacement(const QRect& screen) : m_screen(screen) {}

    // The order window narrowed as far as needed for the preview to fit
    // beside it; the preview is 5 pixels taller than the order window. On a
    // screen too small for both the preview covers the order window's edge.
    Pair beside(const QRect& order, int previewWidth, int orderMinimumWidth = 0) const;
    // The cashier moved one of the two; the other follows, sizes unchanged,
    // and the pair is pushed back wherever it would leave the screen.
    Pair orderMoved(const QRect& order, const QSize& preview) const;
    Pair previewMoved(const QRect& preview, const QSize& order) const;
    // The order window once the preview is gone, widened to `width` again.
    QRect alone(const QRect& order, int width) const;

  private:
    Pair onScreen(Pair pair) const;

    QRect m_screen;
};
