#pragma once
#include <string>

class PngImage;

// A drawing target for a receipt: the printer page (tenths of a millimetre)
// or the on-screen preview (pixels). Texts are UTF-8.
class ReceiptCanvas {
  public:
    virtual ~ReceiptCanvas() = default;

    // Size in points; the canvas decides how it renders sizes it cannot use.
    virtual void setFont(int size, bool bold) = 0;
    virtual int textWidth(const std::string& text) = 0;
    virtual int textHeight(const std::string& text) = 0;
    // (x, y) is the top-left corner of the text.
    virtual void drawText(int x, int y, const std::string& text) = 0;
    virtual void drawPicture(const PngImage& picture, int x, int y, int width, int height) = 0;
};
