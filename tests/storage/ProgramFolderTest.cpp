#include "storage/ProgramFolder.h"
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
