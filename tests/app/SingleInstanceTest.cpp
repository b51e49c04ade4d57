#include "app/SingleInstance.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class FakeProc : public ::testing::Test {
  protected:
    void process(const std::string& pid, const std::string& exe, uid_t user = shopUser) {
        fs::create_directories(m_root / pid);
        fs::create_symlink(exe, m_root / pid / "exe");
        writeStatus(pid, user);
    }
    // A process whose exe link cannot be read, but its command line can.
    void unreadableProcess(const std::string& pid, const std::string& commandLine) {
        fs::create_directories(m_root / pid);
        std::ofstream(m_root / pid / "cmdline", std::ios::binary) << commandLine;
        writeStatus(pid, shopUser);
    }
    void writeStatus(const std::string& pid, uid_t user) {
        std::ofstream(m_root / pid / "status")
            << "Name:\tx\nUid:\t" << user << "\t" << user << "\t" << user << "\t" << user << "\n";
    }
    int count(const std::string& name) const {
        return SingleInstance::countProcessesNamed(name, shopUser, m_root.string());
    }

    static constexpr uid_t shopUser = 1000;

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
    unreadableProcess("105", std::string("/srv/tablewise\0--flag\0", 22));
    process("self", "/opt/a/tablewise");        // not a process id
    fs::create_directories(m_root / "106");     // a process that ended meanwhile
    process("107", "/usr/bin/tablewise", 1001); // another user's till
    process("108", "/usr/bin/tablewise", 0);

    EXPECT_EQ(count("tablewise"), 4);
    EXPECT_EQ(count("Tablewise"), 1);
    EXPECT_EQ(count("tablewise2"), 1);
    EXPECT_EQ(count("table"), 0);
}

TEST(SingleInstance, FindsItself) {
    const std::string own = SingleInstance::ownExecutableName();
    EXPECT_EQ(own, "test_app");
    EXPECT_GE(SingleInstance::countProcessesNamed(own, getuid()), 1);
    EXPECT_EQ(SingleInstance::countProcessesNamed(own, getuid() + 1), 0);
    EXPECT_EQ(SingleInstance::countProcessesNamed("/proc/self", getuid()), 0);
    EXPECT_EQ(SingleInstance::countProcessesNamed("x", getuid(), "/no/such/folder"), 0);
}
