#include "storage/config/ProgramFolder.h"
#include <filesystem>
#include <gtest/gtest.h>

TEST(ProgramFolder, IsTheFolderOfTheExecutableUnlessSet) {
    std::string original = ProgramFolder::path();
    auto exe = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(original, exe.parent_path().string());

    ProgramFolder::setPath("/srv/shop/");
    EXPECT_EQ(ProgramFolder::path(), "/srv/shop");
    EXPECT_EQ(ProgramFolder::databasePath(), "/srv/shop/data/data.mdb");
    EXPECT_EQ(ProgramFolder::iniPath(), "/srv/shop/配置文件.ini");
    ProgramFolder::setPath(original);
}

TEST(ProgramFolder, BesideAWritableCopyOtherwiseInTheUsersDataFolder) {
    struct Case {
        const char* executableFolder;
        bool writable;
        const char* xdgDataHome;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/opt/shop", true, "/srv/xdg", "/home/li", "/opt/shop"},
        {"/opt/shop", false, "", "/home/li", "/home/li/.local/share/Tablewise"},
        {"/opt/shop", false, "/srv/xdg/", "/home/li", "/srv/xdg/Tablewise"},
        {"/opt/shop", false, "relative/xdg", "/home/li/", "/home/li/.local/share/Tablewise"},
        // Root may write there, but those folders hold installed programs.
        {"/usr/bin", true, "", "/root", "/root/.local/share/Tablewise"},
        {"/usr/local/bin", true, "/srv/xdg", "/root", "/srv/xdg/Tablewise"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgramFolder::choose({c.executableFolder, c.writable, c.xdgDataHome, c.home}),
                  c.expected)
            << c.executableFolder << " " << c.xdgDataHome;
}
