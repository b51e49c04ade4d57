#include "ui/receipt/PainterCanvas.h"

#include "printer/PngImage.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

PainterCanvas::PainterCanvas(QPaintDevice* metricsDevice, QPainter* painter, double unitsPerPoint)
    : m_device(metricsDevice), m_painter(painter), m_unitsPerPoint(unitsPerPoint),
      m_font(faceName()) {
    m_font.setHintingPreference(QFont::PreferNoHinting);
    setFont(9, false);
}

QString PainterCanvas::faceName() {
    // Columns are lined up by counting bytes, which needs an ASCII character
    // to be exactly half a hanzi wide, as in the monospaced cut of this face.
    return QStringLiteral("WenQuanYi Zen Hei Mono");
}

void PainterCanvas::setFont(int size, bool bold) {
    // Sizes of 0 or below (a damaged setting) print in the smallest legible size.
    const int points = size > 0 ? size : 5;
    m_font.setPixelSize(std::max(1, int(std::lround(points * m_unitsPerPoint))));
    m_font.setBold(bold);
    if (m_painter)
        m_painter->setFont(m_font);
}

int PainterCanvas::textWidth(const std::string& text) {
    return QFontMetrics(m_font, m_device).horizontalAdvance(QString::fromStdString(text));
}

int PainterCanvas::textHeight(const std::string&) {
    return QFontMetrics(m_font, m_device).height();
}

void PainterCanvas::drawText(int x, int y, const std::string& text) {
    if (!m_painter)
        return;
    const QFontMetrics metrics(m_font, m_device);
    m_painter->drawText(QPoint(x, y + metrics.ascent()), QString::fromStdString(text));
}

void PainterCanvas::drawPicture(const PngImage& picture, int x, int y, int width, int height) {
    if (!m_painter || picture.isNull())
        return;
    auto it = m_images.find(&picture);
    if (it == m_images.end()) {
        const QImage view(picture.rgba().data(), picture.width(), picture.height(),
                          picture.width() * 4, QImage::Format_RGBA8888);
        it = m_images.insert(&picture, view.copy());
    }
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter->drawImage(QRect(x, y, width, height), *it);
}
