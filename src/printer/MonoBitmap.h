#pragma once
#include <cstdint>
#include <vector>

class PngImage;

// A picture of black and white dots as a thermal printer takes it: rows top
// to bottom, eight dots a byte, the leftmost dot in the highest bit, 1 black.
struct MonoBitmap {
    int width = 0; // dots, a multiple of 8
    int height = 0;
    std::vector<std::uint8_t> bits;

    MonoBitmap() = default;
    MonoBitmap(int widthDots, int heightDots);

    int bytesPerRow() const { return width / 8; }
    bool isEmpty() const { return width == 0 || height == 0; }
    bool dot(int x, int y) const;
    void setDot(int x, int y);

    // A picture of the given size at x in a row of `paperDots`, stretched
    // from the PNG by averaging; a dot is black where the picture, laid
    // over white paper, is darker than middle grey.
    static MonoBitmap fromPicture(const PngImage& picture, int x, int width, int height,
                                  int paperDots);
    // Rows of 8-bit grey values, `stride` bytes apart; darker than middle grey is black.
    static MonoBitmap fromGrey(const std::uint8_t* grey, int width, int height, int stride);
};
