#include "receipt/CreditPicture.h"

#include <filesystem>
#include <fstream>
#include <system_error>

extern const unsigned char credit_picture_png[];
extern const unsigned long credit_picture_png_size;

namespace CreditPicture {

const unsigned char* data() {
    return credit_picture_png;
}

std::size_t size() {
    return credit_picture_png_size;
}

bool ensureFile(const std::string& path) {
    std::error_code error;
    const auto onDisk = std::filesystem::file_size(path, error);
    if (!error && onDisk == size())
        return true;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data()), std::streamsize(size()));
    return bool(out.flush());
}

} // namespace CreditPicture
