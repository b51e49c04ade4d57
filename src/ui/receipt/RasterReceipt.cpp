#include "ui/receipt/RasterReceipt.h"

#include "ui/receipt/PainterCanvas.h"

#include <QImage>
#include <QPainter>

namespace RasterReceipt {

MonoBitmap render(int paperDots, const std::function<void(ReceiptCanvas&, int& y)>& draw) {
    QImage metrics(1, 1, QImage::Format_Grayscale8);
    int height = 0;
    {
        PainterCanvas measuring(&metrics, nullptr, dotsPerPoint);
        draw(measuring, height);
    }
    if (height <= 0)
        return {};
    QImage image(paperDots, height, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    PainterCanvas canvas(&image, &painter, dotsPerPoint);
    int y = 0;
    draw(canvas, y);
    painter.end();
    return MonoBitmap::fromGrey(image.constBits(), image.width(), image.height(),
                                int(image.bytesPerLine()));
}

} // namespace RasterReceipt
