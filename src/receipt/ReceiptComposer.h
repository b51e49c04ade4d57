#pragma once
#include "receipt/ReceiptPicture.h"
#include "receipt/ReceiptSettings.h"

#include <string>

class ReceiptCanvas;
class ReceiptPictures;
struct ReceiptDish;
struct ReceiptOrder;

// The line primitives of a receipt. Every text line is drawn at x = 0 and
// aligned by fill characters measured on the canvas; each advances the
// cursor by its height plus the line gap.
class ReceiptComposer {
  public:
    static constexpr int lineGap = 6;

    ReceiptComposer(ReceiptCanvas& canvas, int paperWidth, int& y);

    void drawCentered(const std::string& text, const std::string& pad, LineStyle style);
    void drawRightAligned(const std::string& text, LineStyle style);
    void drawWrapped(const std::string& text, LineStyle style, const std::string& pad);
    void drawPicture(const ReceiptPicture& picture);
    void drawSeparator();
    void drawColumnHeadings(LineStyle style);
    void drawDish(const ReceiptDish& dish, LineStyle style);
    void drawDiscount(const ReceiptOrder& order, LineStyle title, LineStyle detail);
    void drawCustomer(const ReceiptOrder& order, LineStyle style);
    void drawRemark(const std::string& remark, LineStyle style);

  private:
    void drawLine(const std::string& text);
    // Widens the name with spaces, as far as the font shows them, until the
    // columns after it reach the right edge.
    void drawReachingTheEdge(std::string name, const std::string& columns);
    int quarterOfLineInSpaces();

    ReceiptCanvas& m_canvas;
    int m_width;
    int& m_y;
};

// " #12 微信点餐 ": drawn at the top and again at the end of the receipt.
std::string receiptTitle(const ReceiptOrder& order);

// A grid cell that reads "假" is as good as empty.
std::string cellText(const std::string& cell);

// The body of a receipt, from the title to the closing title; the caller
// draws the top and bottom pictures around it. y is the cursor, in and out.
void composeReceipt(const ReceiptSettings& settings, const ReceiptOrder& order,
                    ReceiptCanvas& canvas, int& y, const ReceiptPicture& credit);

// One printed copy: the top picture, the receipt and the bottom picture; the
// further copies of a settlement leave the two pictures out.
void composeCopy(const ReceiptSettings& settings, const ReceiptOrder& order, ReceiptCanvas& canvas,
                 int& y, const ReceiptPictures& pictures, bool withPictures);
