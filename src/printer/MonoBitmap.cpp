#include "printer/MonoBitmap.h"

#include "printer/PngImage.h"

#include <algorithm>

namespace {

constexpr int middleGrey = 128;

int roundUpToByte(int dots) {
    return (std::max(0, dots) + 7) / 8 * 8;
}

// Luminance of one RGBA pixel laid over white paper, 0..255.
int paperGrey(const unsigned char* p) {
    const int luminance = (p[0] * 299 + p[1] * 587 + p[2] * 114) / 1000;
    return (luminance * p[3] + 255 * (255 - p[3])) / 255;
}

} // namespace

MonoBitmap::MonoBitmap(int widthDots, int heightDots)
    : width(roundUpToByte(widthDots)), height(std::max(0, heightDots)),
      bits(std::size_t(width / 8) * std::size_t(height), 0) {}

bool MonoBitmap::dot(int x, int y) const {
    return bits[std::size_t(y) * bytesPerRow() + x / 8] & (0x80 >> (x % 8));
}

void MonoBitmap::setDot(int x, int y) {
    bits[std::size_t(y) * bytesPerRow() + x / 8] |= std::uint8_t(0x80 >> (x % 8));
}

MonoBitmap MonoBitmap::fromPicture(const PngImage& picture, int x, int width, int height,
                                   int paperDots) {
    if (picture.isNull() || width <= 0 || height <= 0)
        return {};
    MonoBitmap out(std::max(paperDots, x + width), height);
    const int sw = picture.width(), sh = picture.height();
    const unsigned char* rgba = picture.rgba().data();
    for (int ty = 0; ty < height; ++ty) {
        const int y0 = ty * sh / height;
        const int y1 = std::max(y0 + 1, (ty + 1) * sh / height);
        for (int tx = 0; tx < width; ++tx) {
            const int x0 = tx * sw / width;
            const int x1 = std::max(x0 + 1, (tx + 1) * sw / width);
            int sum = 0;
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx)
                    sum += paperGrey(rgba + (std::size_t(sy) * sw + sx) * 4);
            if (sum < middleGrey * (y1 - y0) * (x1 - x0))
                out.setDot(x + tx, ty);
        }
    }
    return out;
}

MonoBitmap MonoBitmap::fromGrey(const std::uint8_t* grey, int width, int height, int stride) {
    MonoBitmap out(width, height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = grey + std::ptrdiff_t(y) * stride;
        std::uint8_t* bits = out.bits.data() + std::size_t(y) * out.bytesPerRow();
        for (int x = 0; x < width; ++x)
            if (row[x] < middleGrey)
                bits[x / 8] |= std::uint8_t(0x80 >> (x % 8));
    }
    return out;
}
