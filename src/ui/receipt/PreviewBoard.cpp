#include "ui/receipt/PreviewBoard.h"

#include <QPainter>

void PreviewBoard::setImage(QImage image) {
    m_image = std::move(image);
    update();
}

void PreviewBoard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(0, 0, m_image);
}
