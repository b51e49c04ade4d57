#include "storage/Template.h"
#include <filesystem>
#include <fstream>

extern const unsigned char tw_template_db[];
extern const unsigned long tw_template_db_size;

namespace Template {

std::string_view bytes() {
    return {reinterpret_cast<const char*>(tw_template_db), tw_template_db_size};
}

bool writeIfMissing(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path file(path);
    if (fs::exists(file, error))
        return true;
    if (file.has_parent_path())
        fs::create_directories(file.parent_path(), error);
    // Written beside the target and renamed, so a broken write never leaves
    // a half database that later starts would take for a real one.
    fs::path partial = file;
    partial += ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        std::string_view data = bytes();
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
        if (!out.flush())
            return false;
    }
    fs::rename(partial, file, error);
    return !error;
}

} // namespace Template
