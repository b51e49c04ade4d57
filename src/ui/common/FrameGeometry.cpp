#include "ui/common/FrameGeometry.h"

#include <QWidget>

void setFrameGeometry(QWidget* window, const QRect& frame) {
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    window->setGeometry(frame.adjusted(inner.left() - outer.left(), inner.top() - outer.top(),
                                       inner.right() - outer.right(),
                                       inner.bottom() - outer.bottom()));
}
