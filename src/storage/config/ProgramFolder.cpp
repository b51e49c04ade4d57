#include "storage/config/ProgramFolder.h"
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace ProgramFolder {
namespace {

std::string withoutTrailingSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string folderOfExecutable() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return std::filesystem::current_path(error).string();
    return exe.parent_path().string();
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string homeFolder() {
    std::string home = environment("HOME");
    if (home.empty())
        if (const passwd* entry = getpwuid(getuid()))
            home = entry->pw_dir;
    return home;
}

// Root may write anywhere, yet an installed program keeps root's data in
// root's home too, not among the system's programs.
bool isSystemProgramFolder(const std::string& folder) {
    return folder == "/usr/bin" || folder == "/usr/local/bin";
}

Surroundings currentSurroundings() {
    Surroundings s;
    s.executableFolder = folderOfExecutable();
    s.executableFolderWritable = access(s.executableFolder.c_str(), W_OK) == 0;
    s.xdgDataHome = environment("XDG_DATA_HOME");
    s.home = homeFolder();
    return s;
}

// Orders hold customers' telephones and addresses: other users of the
// machine have no business reading them.
std::string createdPrivately(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::exists(folder, error) && fs::create_directories(folder, error))
        fs::permissions(folder, fs::perms::owner_all, error);
    return folder;
}

std::string chosenFolder() {
    const Surroundings surroundings = currentSurroundings();
    const std::string chosen = choose(surroundings);
    return chosen == surroundings.executableFolder ? chosen : createdPrivately(chosen);
}

std::string& folder() {
    static std::string path = chosenFolder();
    return path;
}

} // namespace

std::string choose(const Surroundings& s) {
    if (s.executableFolderWritable && !isSystemProgramFolder(s.executableFolder))
        return s.executableFolder;
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG base directory rules say.
    const std::string dataHome = s.xdgDataHome.starts_with('/')
                                     ? withoutTrailingSlash(s.xdgDataHome)
                                     : withoutTrailingSlash(s.home) + "/.local/share";
    return dataHome + "/Tablewise";
}

std::string path() {
    return folder();
}

void setPath(const std::string& newFolder) {
    folder() = withoutTrailingSlash(newFolder);
}

std::string databasePath() {
    return path() + "/data/data.mdb";
}

std::string iniPath() {
    return path() + "/配置文件.ini";
}

} // namespace ProgramFolder
