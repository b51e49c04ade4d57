#include "app/SingleInstance.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <unistd.h>

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

// The executable of a process; when its exe link cannot be read (a process
// that changed its privileges), the first word of its command line.
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

// Whether `user` started the process; a process that ended meanwhile counts for no one.
bool belongsTo(const fs::path& processDir, uid_t user) {
    std::ifstream status(processDir / "status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("Uid:")) {
            unsigned long realUser = 0;
            return (std::istringstream(line.substr(4)) >> realUser) && realUser == user;
        }
    return false;
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

int countProcessesNamed(const std::string& name, uid_t user, const std::string& procRoot) {
    int count = 0;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(procRoot, error))
        if (isProcessId(entry.path().filename().string()) && belongsTo(entry.path(), user) &&
            executableOf(entry.path()) == name)
            ++count;
    return count;
}

bool isOnlyInstance() {
    return countProcessesNamed(ownExecutableName(), getuid()) <= 1;
}

} // namespace SingleInstance
