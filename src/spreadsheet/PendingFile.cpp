#include "spreadsheet/PendingFile.h"
#include "storage/values/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int nameAttempts = 100;

std::string randomSuffix() {
    static thread_local std::mt19937 numbers{std::random_device{}()};
    return std::to_string(std::uniform_int_distribution<unsigned>(0, 0xFFFFFFF)(numbers));
}

} // namespace

PendingFile::PendingFile(std::string destination) : m_destination(std::move(destination)) {
    const fs::path target(m_destination);
    const std::string stem =
        (target.parent_path() / ("." + target.filename().string() + ".")).string();
    // Created with the usual permissions, so an exported file is read by
    // others too; the file-mode mask is applied by the system, never switched
    // while other threads create files.
    for (int attempt = 0; attempt < nameAttempts; ++attempt) {
        const std::string name = stem + randomSuffix();
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            m_temporary = name;
            return;
        }
        if (errno != EEXIST)
            return;
    }
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
