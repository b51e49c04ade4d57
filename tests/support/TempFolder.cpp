#include "support/TempFolder.h"

#include "storage/config/ProgramFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tablewise-XXXXXX").string();
    m_path = mkdtemp(pattern.data());
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void TempFolder::write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

TestProgramFolder::TestProgramFolder() : m_previous(ProgramFolder::path()) {
    ProgramFolder::setPath(path());
}

TestProgramFolder::~TestProgramFolder() {
    ProgramFolder::setPath(m_previous);
}

TemporaryFolderSwitch::TemporaryFolderSwitch(const std::string& folder) {
    const char* old = std::getenv("TMPDIR");
    m_hadOld = old != nullptr;
    m_old = old ? old : "";
    setenv("TMPDIR", folder.c_str(), 1);
}

TemporaryFolderSwitch::~TemporaryFolderSwitch() {
    if (m_hadOld)
        setenv("TMPDIR", m_old.c_str(), 1);
    else
        unsetenv("TMPDIR");
}
