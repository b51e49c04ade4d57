#pragma once
#include "receipt/ReceiptCanvas.h"

class EscPosJob;

// A receipt canvas that prints in the printer's own font: a line is as wide
// as its GB18030 bytes on the printer's character grid, so the columns the
// layout fills with spaces line up on paper. Lines are printed in the order
// they are drawn; pictures go out as rasters of the paper's width.
class EscPosCanvas : public ReceiptCanvas {
  public:
    // The composition's paper width in dots (384 for 58 mm, 576 for 80 mm).
    EscPosCanvas(EscPosJob& job, int paperDots);

    void setFont(int size, bool bold) override;
    int textWidth(const std::string& text) override;
    int textHeight(const std::string& text) override;
    void drawText(int x, int y, const std::string& text) override;
    void drawPicture(const PngImage& picture, int x, int y, int width, int height) override;

    // The printer's magnification for a size in points: the normal font
    // stands for 9 points, and a taller size is made taller before wider,
    // so that 12-point totals stand out and still fit their line.
    static int widthTimes(int points);
    static int heightTimes(int points);

  private:
    void applyFont();

    EscPosJob& m_job;
    int m_paperDots;
    int m_widthTimes = 1;
    int m_heightTimes = 1;
    bool m_bold = false;
    bool m_printed = false; // the printer's state after initialise is known
    int m_printedWidth = 1, m_printedHeight = 1;
    bool m_printedBold = false;
};
