#include "receipt/ReceiptPictures.h"

#include "receipt/CreditPicture.h"
#include "receipt/ReceiptSettings.h"

namespace {

PngImage loadIf(bool wanted, const std::string& path) {
    return wanted ? PngImage::fromFile(path) : PngImage();
}

} // namespace

ReceiptPictures::ReceiptPictures(const ReceiptSettings& settings, int paperWidth,
                                 double unitsPerPixel, const std::string& dataFolder)
    : m_paperWidth(paperWidth), m_unitsPerPixel(unitsPerPixel),
      m_top(loadIf(settings.printTopPicture, dataFolder + "/stp.png")),
      m_bottom(loadIf(settings.printBottomPicture, dataFolder + "/xtp.png")) {
    const std::string creditPath = dataFolder + "/rjxc.png";
    // When the file cannot be rewritten, whatever is there is printed.
    CreditPicture::ensureFile(creditPath);
    m_credit = PngImage::fromFile(creditPath);
}

ReceiptPicture ReceiptPictures::scaled(const PngImage& image, int paperWidth,
                                       double unitsPerPixel) {
    if (image.isNull())
        return {};
    const double pw = image.width() * unitsPerPixel;
    const double ph = image.height() * unitsPerPixel;
    const double s = paperWidth / pw;
    // The nudge keeps pw * (W / pw) from landing just below W.
    return {&image, int(pw * s + 1e-9), int(ph * s + 1e-9)};
}

ReceiptPicture ReceiptPictures::place(const PngImage& image) const {
    return scaled(image, m_paperWidth, m_unitsPerPixel);
}
