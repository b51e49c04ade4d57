#pragma once
#include "printer/PngImage.h"
#include "receipt/ReceiptPicture.h"

#include <string>

struct ReceiptSettings;

// The top, credit and bottom pictures of one receipt, loaded from the data
// folder and scaled to the paper width keeping their proportions.
class ReceiptPictures {
  public:
    // unitsPerPixel converts picture pixels to canvas units.
    ReceiptPictures(const ReceiptSettings& settings, int paperWidth, double unitsPerPixel,
                    const std::string& dataFolder);

    ReceiptPicture top() const { return place(m_top); }
    ReceiptPicture credit() const { return place(m_credit); }
    ReceiptPicture bottom() const { return place(m_bottom); }

    // The size a picture of pw x ph units takes when stretched to the width.
    static ReceiptPicture scaled(const PngImage& image, int paperWidth, double unitsPerPixel);

  private:
    ReceiptPicture place(const PngImage& image) const;

    int m_paperWidth;
    double m_unitsPerPixel;
    PngImage m_top;
    PngImage m_credit;
    PngImage m_bottom;
};
