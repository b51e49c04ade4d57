#include "storage/ProgramFolder.h"
#include <filesystem>
#include <system_error>

namespace ProgramFolder {
namespace {

std::string folderOfExecutable() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return std::filesystem::current_path(error).string();
    return exe.parent_path().string();
}

std::string& folder() {
    static std::string path = folderOfExecutable();
    return path;
}

} // namespace

std::string path() {
    return folder();
}

void setPath(const std::string& newFolder) {
    std::string cleaned = newFolder;
    while (cleaned.size() > 1 && cleaned.back() == '/')
        cleaned.pop_back();
    folder() = cleaned;
}

std::string databasePath() {
    return path() + "/data/data.mdb";
}

std::string iniPath() {
    return path() + "/配置文件.ini";
}

} // namespace ProgramFolder
