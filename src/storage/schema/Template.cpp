#include "storage/schema/Template.h"
#include "storage/values/SafeFile.h"
#include <filesystem>

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
    // Never a half database that later starts would take for a real one.
    return SafeFile::replace(path, bytes());
}

} // namespace Template
