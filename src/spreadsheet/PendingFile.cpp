#include "spreadsheet/PendingFile.h"
#include "storage/values/SafeFile.h"

#include <cstdio>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

PendingFile::PendingFile(std::string destination) : m_destination(std::move(destination)) {
    const fs::path target(m_destination);
    std::string pattern =
        (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        return;
    // mkstemp makes the file private; an exported file is read by others too.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    m_temporary = pattern;
}

PendingFile::~PendingFile() {
    if (ok() && !m_committed)
        std::remove(m_temporary.c_str());
}

bool PendingFile::commit() {
    if (!ok() || m_committed)
        return m_committed;
    m_committed = SafeFile::rename(m_temporary, m_destination);
    return m_committed;
}
