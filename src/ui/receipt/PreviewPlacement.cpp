#include "ui/receipt/PreviewPlacement.h"

#include <algorithm>

namespace {

constexpr int previewTaller = 5;

// The shift that brings [low, high] inside [from, to], the low end first
// when it cannot fit at all.
int shiftInto(int low, int high, int from, int to) {
    if (high > to)
        return std::max(from - low, to - high);
    return low < from ? from - low : 0;
}

} // namespace

PreviewPlacement::Pair PreviewPlacement::beside(const QRect& order, int previewWidth,
                                                int orderMinimumWidth) const {
    QRect narrowed = order;
    narrowed.setWidth(
        std::max(orderMinimumWidth, std::min(order.width(), m_screen.width() - previewWidth)));
    narrowed.setHeight(std::min(order.height(), m_screen.height()));
    const int previewHeight = std::min(narrowed.height() + previewTaller, m_screen.height());
    return onScreen({narrowed, QRect(narrowed.left() + narrowed.width(), narrowed.top(),
                                     previewWidth, previewHeight)});
}

PreviewPlacement::Pair PreviewPlacement::orderMoved(const QRect& order,
                                                    const QSize& preview) const {
    return onScreen({order, QRect(QPoint(order.left() + order.width(), order.top()), preview)});
}

PreviewPlacement::Pair PreviewPlacement::previewMoved(const QRect& preview,
                                                      const QSize& order) const {
    return onScreen({QRect(QPoint(preview.left() - order.width(), preview.top()), order), preview});
}

QRect PreviewPlacement::alone(const QRect& order, int width) const {
    QRect widened = order;
    widened.setWidth(std::min(std::max(width, order.width()), m_screen.width()));
    widened.translate(
        shiftInto(widened.left(), widened.right(), m_screen.left(), m_screen.right()),
        shiftInto(widened.top(), widened.bottom(), m_screen.top(), m_screen.bottom()));
    return widened;
}

PreviewPlacement::Pair PreviewPlacement::onScreen(Pair pair) const {
    const QRect both = pair.order.united(pair.preview);
    const QPoint shift(shiftInto(both.left(), both.right(), m_screen.left(), m_screen.right()),
                       shiftInto(both.top(), both.bottom(), m_screen.top(), m_screen.bottom()));
    pair.order.translate(shift);
    pair.preview.translate(shift);
    pair.preview.moveRight(std::min(pair.preview.right(), m_screen.right()));
    return pair;
}
