#include "app/SingleInstance.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class FakeProc : public ::testing::Test {
  protected:
    void process(const std::string& pid, const std::string& exe) {
        fs::create_directories(m_root / pid);
        fs::create_symlink(exe, m_root / pid / "exe");
    }
    // A process of another user: its exe link cannot be read, its command line can.
    void foreignProcess(const std::string& pid, const std::string& commandLine) {
        fs::create_directories(m_root / pid);
        std::ofstream(m_root / pid / "cmdline", std::ios::binary) << commandLine;
    }
    int count(const std::string& name) const {
        return SingleInstance::countProcessesNamed(name, m_root.string());
    }

    TempFolder m_folder;
    const fs::path m_root = m_folder.path();
};

} // namespace

TEST_F(FakeProc, CountsByExecutableFileNameByteForByte) {
    process("100", "/opt/a/tablewise");
    process("101", "/home/b/tablewise");
    process("102", "/home/b/Tablewise");
    process("103", "/usr/bin/tablewise2");
    process("104", "/opt/c/tablewise (deleted)");
    foreignProcess("105", std::string("/srv/tablewise\0--flag\0", 22));
    process("self", "/opt/a/tablewise");    // not a process id
    fs::create_directories(m_root / "106"); // a process that ended meanwhile

    EXPECT_EQ(count("tablewise"), 4);
    EXPECT_EQ(count("Tablewise"), 1);
    EXPECT_EQ(count("tablewise2"), 1);
    EXPECT_EQ(count("table"), 0);
}

TEST(SingleInstance, FindsItself) {
    const std::string own = SingleInstance::ownExecutableName();
    EXPECT_EQ(own, "test_app");
    EXPECT_GE(SingleInstance::countProcessesNamed(own), 1);
    EXPECT_EQ(SingleInstance::countProcessesNamed("/proc/self"), 0);
    EXPECT_EQ(SingleInstance::countProcessesNamed("x", "/no/such/folder"), 0);
}
