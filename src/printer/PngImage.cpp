#include "printer/PngImage.h"

#include <fstream>
#include <iterator>
#include <png.h>

namespace {

// Larger pictures are refused rather than allocated: a receipt logo is a few
// hundred pixels, and a damaged header must not claim gigabytes.
constexpr png_uint_32 maxSide = 8192;

} // namespace

PngImage PngImage::fromFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in),
                                           std::istreambuf_iterator<char>()};
    return fromBytes(bytes.data(), bytes.size());
}

PngImage PngImage::fromBytes(const unsigned char* data, std::size_t size) {
    if (data == nullptr || size == 0)
        return {};
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size))
        return {};
    if (image.width == 0 || image.height == 0 || image.width > maxSide || image.height > maxSide) {
        png_image_free(&image);
        return {};
    }
    image.format = PNG_FORMAT_RGBA;
    PngImage result;
    result.m_rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, result.m_rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return {};
    }
    result.m_width = int(image.width);
    result.m_height = int(image.height);
    return result;
}
