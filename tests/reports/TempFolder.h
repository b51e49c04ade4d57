#pragma once
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// A fresh folder for one test, also made the system temporary folder so
// that "piedata.xml" lands in it; removed afterwards.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tw-reports-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
        const char* old = std::getenv("TMPDIR");
        m_oldTmp = old ? old : "";
        m_hadTmp = old != nullptr;
        setenv("TMPDIR", m_path.c_str(), 1);
    }
    ~TempFolder() {
        if (m_hadTmp)
            setenv("TMPDIR", m_oldTmp.c_str(), 1);
        else
            unsetenv("TMPDIR");
        std::filesystem::remove_all(m_path);
    }
    const std::string& path() const { return m_path; }

  private:
    std::string m_path;
    std::string m_oldTmp;
    bool m_hadTmp = false;
};

inline std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline std::string golden(const std::string& name) {
    return readBytes(std::filesystem::path(TABLEWISE_GOLDEN_DIR) / name);
}
