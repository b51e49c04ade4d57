#include "storage/values/SafeFile.h"
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace SafeFile {
namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return ::fsync(fd) == 0;
}

bool flushOpened(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

std::string folderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

// The rename itself has happened: a folder that cannot be flushed leaves it
// to the system's own flush, as before this existed.
void flushFolders(const std::string& from, const std::string& to) {
    flushOpened(folderOf(to), O_RDONLY | O_DIRECTORY);
    if (folderOf(from) != folderOf(to))
        flushOpened(folderOf(from), O_RDONLY | O_DIRECTORY);
}

// The permissions the file is to have after the rewrite; -1 for the usual
// ones of a new file.
int keptMode(const std::string& path, bool ownerOnly) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return ownerOnly ? 0600 : -1;
    const int mode = static_cast<int>(status.st_mode & 07777);
    return ownerOnly ? mode & ~077 : mode;
}

bool write(const std::string& path, std::string_view bytes, bool ownerOnly) {
    const std::string partial = path + ".part";
    const int mode = keptMode(path, ownerOnly);
    std::remove(partial.c_str());
    const int fd =
        ::open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode < 0 ? 0644 : 0600);
    if (fd < 0)
        return false;
    const bool written =
        (mode < 0 || ::fchmod(fd, static_cast<mode_t>(mode)) == 0) && writeAll(fd, bytes);
    if (::close(fd) != 0 || !written || std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        return false;
    }
    flushFolders(partial, path);
    return true;
}

} // namespace

bool flush(const std::string& path) {
    return flushOpened(path, O_RDONLY);
}

bool rename(const std::string& from, const std::string& to) {
    if (!flush(from) || std::rename(from.c_str(), to.c_str()) != 0)
        return false;
    flushFolders(from, to);
    return true;
}

bool replace(const std::string& path, std::string_view bytes) {
    return write(path, bytes, false);
}

bool replacePrivate(const std::string& path, std::string_view bytes) {
    return write(path, bytes, true);
}

} // namespace SafeFile
