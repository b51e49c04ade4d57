#pragma once
#include "receipt/ReceiptCanvas.h"

#include <QFont>
#include <QHash>
#include <QImage>

class QPaintDevice;
class QPainter;

// A receipt canvas on a Qt paint device. Fonts are set by pixel size in the
// canvas's own units, so a painter scaled to tenths of a millimetre measures
// and draws in those units. Without a painter it only measures, which is
// how a page is sized before printing starts.
class PainterCanvas : public ReceiptCanvas {
  public:
    PainterCanvas(QPaintDevice* metricsDevice, QPainter* painter, double unitsPerPoint);

    void setFont(int size, bool bold) override;
    int textWidth(const std::string& text) override;
    int textHeight(const std::string& text) override;
    void drawText(int x, int y, const std::string& text) override;
    void drawPicture(const PngImage& picture, int x, int y, int width, int height) override;

    static QString faceName();

  private:
    QPaintDevice* m_device;
    QPainter* m_painter;
    double m_unitsPerPoint;
    QFont m_font;
    QHash<const PngImage*, QImage> m_images;
};
