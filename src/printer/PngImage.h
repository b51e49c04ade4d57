#pragma once
#include <cstddef>
#include <string>
#include <vector>

// A decoded PNG picture as 8-bit RGBA rows. A file that is missing or cannot
// be decoded gives a null image, which takes no space on a receipt.
class PngImage {
  public:
    PngImage() = default;
    static PngImage fromFile(const std::string& path);
    static PngImage fromBytes(const unsigned char* data, std::size_t size);

    bool isNull() const { return m_width == 0 || m_height == 0; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    // width() * height() pixels, 4 bytes each, rows top to bottom.
    const std::vector<unsigned char>& rgba() const { return m_rgba; }

  private:
    int m_width = 0;
    int m_height = 0;
    std::vector<unsigned char> m_rgba;
};
