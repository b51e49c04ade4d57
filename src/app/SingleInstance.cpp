#include "app/SingleInstance.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string fileNameOf(std::string path) {
    // The kernel marks an executable replaced on disk while running.
    const std::string deleted = " (deleted)";
    if (path.size() > deleted.size() && path.ends_with(deleted))
        path.erase(path.size() - deleted.size());
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The executable of a process; for processes of other users, whose exe link
// cannot be read, the first word of its command line.
std::string executableOf(const fs::path& processDir) {
    std::error_code error;
    const fs::path exe = fs::read_symlink(processDir / "exe", error);
    if (!error)
        return fileNameOf(exe.string());
    std::ifstream cmdline(processDir / "cmdline", std::ios::binary);
    std::string argv0;
    std::getline(cmdline, argv0, '\0');
    return fileNameOf(argv0);
}

bool isProcessId(const std::string& name) {
    if (name.empty())
        return false;
    for (const char c : name)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

} // namespace

namespace SingleInstance {

std::string ownExecutableName() {
    return executableOf("/proc/self");
}

int countProcessesNamed(const std::string& name, const std::string& procRoot) {
    int count = 0;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(procRoot, error))
        if (isProcessId(entry.path().filename().string()) && executableOf(entry.path()) == name)
            ++count;
    return count;
}

bool isOnlyInstance() {
    return countProcessesNamed(ownExecutableName()) <= 1;
}

} // namespace SingleInstance
