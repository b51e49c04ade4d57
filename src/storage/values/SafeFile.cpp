#include "storage/values/SafeFile.h"
#include <cstdio>
#include <fcntl.h>
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

} // namespace

bool replace(const std::string& path, std::string_view bytes) {
    const std::string partial = path + ".part";
    const int fd = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, bytes);
    if (::close(fd) != 0 || !written || std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        return false;
    }
    return true;
}

} // namespace SafeFile
