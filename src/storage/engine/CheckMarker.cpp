#include "storage/engine/CheckMarker.h"
#include "storage/values/SafeFile.h"
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* inUse = "in-use";
constexpr const char* clean = "clean";

std::string firstLine(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text;
    std::getline(in, text);
    return text;
}

} // namespace

CheckMarker::CheckMarker(std::string databasePath) : m_databasePath(std::move(databasePath)) {}

bool CheckMarker::identify(const std::string& path, Identity& identity) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status = {};
    unsigned char counter[4] = {};
    // The change counter of the database header, stored big-endian at 24.
    const bool read = ::fstat(fd, &status) == 0 && ::pread(fd, counter, 4, 24) == 4;
    ::close(fd);
    identity.changeCounter = static_cast<std::uint32_t>(counter[0]) << 24 |
                             static_cast<std::uint32_t>(counter[1]) << 16 |
                             static_cast<std::uint32_t>(counter[2]) << 8 | counter[3];
    identity.size = static_cast<std::uintmax_t>(status.st_size);
    identity.inode = status.st_ino;
    identity.changedNs =
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
    return read;
}

bool CheckMarker::vouches(const std::string& today) const {
    std::istringstream marker(firstLine(markerPath()));
    std::string day, state;
    Identity marked, now;
    marker >> day >> state >> marked.changeCounter >> marked.size >> marked.inode >>
        marked.changedNs;
    return marker && day == today && state == clean && identify(m_databasePath, now) &&
           now == marked;
}

void CheckMarker::markInUse(const std::string& checkedDay) {
    Identity now;
    m_checkedDay = checkedDay;
    m_inode = identify(m_databasePath, now) ? now.inode : 0;
    SafeFile::replace(markerPath(), checkedDay + " " + inUse + "\n");
}

void CheckMarker::markClean() {
    Identity now;
    if (m_checkedDay.empty() || !identify(m_databasePath, now) || now.inode != m_inode)
        return;
    std::ostringstream marker;
    marker << m_checkedDay << ' ' << clean << ' ' << now.changeCounter << ' ' << now.size << ' '
           << now.inode << ' ' << now.changedNs << '\n';
    SafeFile::replace(markerPath(), marker.str());
    m_checkedDay.clear();
}
