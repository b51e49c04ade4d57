#include "storage/config/DatabaseSettings.h"
#include "storage/config/IniFile.h"
#include "storage/config/SettingsStore.h"
#include "storage/config/TillName.h"
#include "storage/engine/Database.h"
#include "storage/engine/StorageStartup.h"
#include "storage/values/TextCodec.h"
#include "support/StorageConditions.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The template file: no setting is stored yet.
class SettingsTest : public ::testing::Test, public TestDatabase {
  protected:
    SettingsTest() : TestDatabase(Start::Template) {}

    int rowsFor(const std::string& key) {
        return count("select count(*) from 记录 where 记录内容='" + key + "'");
    }

    SettingsStore store{db};
};

} // namespace

TEST_F(SettingsTest, GetFallsBackToTheDefaultForAbsentOrEmptyValues) {
    EXPECT_EQ(store.get("减免份数", ""), "");
    EXPECT_EQ(store.get("时间格式", "0"), "0");
    store.set("减免份数", "2");
    EXPECT_EQ(store.get("减免份数", ""), "2");
    store.set("减免份数", "");
    EXPECT_EQ(store.get("减免份数", "x"), "x");
    EXPECT_TRUE(*store.exists("减免份数"));
    EXPECT_FALSE(*store.exists("减免"));
}

TEST_F(SettingsTest, SetKeepsOneRowPerKey) {
    store.set("票头", "a");
    store.set("票头", "b");
    EXPECT_EQ(rowsFor("票头"), 1);
    EXPECT_EQ(store.get("票头", ""), "b");
}

TEST_F(SettingsTest, ApostrophesInKeysAndValuesAreStoredAsTyped) {
    store.set("附带信息1", "Joe's 'Diner'");
    EXPECT_EQ(store.get("附带信息1", ""), "Joe's 'Diner'");
    store.set("it's", "x' or '1'='1");
    EXPECT_EQ(store.get("it's", ""), "x' or '1'='1");
    EXPECT_EQ(rowsFor("it''s"), 1);
}

TEST_F(SettingsTest, FirstStartSeedsOnceAndASecondStartChangesNothing) {
    // A first start that fails half way seeds nothing, so the next one seeds all.
    ASSERT_TRUE(db.ExecuteSql("create trigger 中断 before insert on 记录 when "
                              "new.记录内容='票头' begin select raise(abort,'中断'); end"));
    EXPECT_FALSE(StorageStartup::openDatabase(db, folder.file("data/data.mdb")));
    EXPECT_FALSE(*store.exists("字体大小"));
    ASSERT_TRUE(db.ExecuteSql("drop trigger 中断"));
    ASSERT_TRUE(StorageStartup::openDatabase(db, folder.file("data/data.mdb")));
    const std::pair<const char*, const char*> seeded[] = {{"小票类型", "0"},
                                                          {"设置类型", "1"},
                                                          {"字体大小", "9|9|9|9|9|9|12|9|9|12|12"},
                                                          {"勾选加粗", "0|0|0|0|0|0|1|0|0|1|1"},
                                                          {"票头", "微信点餐"},
                                                          {"店铺名称", "白云快餐"}};
    for (auto [key, value] : seeded)
        EXPECT_EQ(store.get(key, "?"), value) << key;
    EXPECT_FALSE(*store.exists("时间格式"));
    store.set("票头", "美团(第1联)");
    ASSERT_TRUE(StorageStartup::openDatabase(db, folder.file("data/data.mdb")));
    EXPECT_EQ(store.get("票头", ""), "美团(第1联)");
    EXPECT_EQ(rowsFor("小票类型"), 1);
}

// Another program holds the file: the lookup fails, which is no "not there",
// and nothing is seeded on the strength of it.
TEST_F(SettingsTest, AKeyThatCannotBeLookedUpIsNeitherFoundNorSeeded) {
    {
        StorageConditions::OtherWriter other(db, folder.file("data/data.mdb"));
        const ReadResult<bool> found = store.exists("字体大小");
        EXPECT_FALSE(found.ok());
        EXPECT_EQ(found.failure(), StorageFailure::Busy);
        EXPECT_FALSE(store.seedFirstStart());
    }
    EXPECT_EQ(rowsFor("字体大小"), 0);
    EXPECT_EQ(rowsFor("小票类型"), 0);
}

TEST(IniFile, FindsEntriesAnywhereIgnoringCase) {
    TempFolder folder;
    std::string path = folder.file("配置文件.ini");
    TempFolder::write(path, "junk dh = {电话}tx = {Y}\r\n58小票打印宽度 = {}\r\nQQ = {12'3}");
    IniFile ini(path);
    EXPECT_EQ(ini.iniGet("DH", "d", false), "电话");
    EXPECT_EQ(ini.iniGet("Tx", "d", false), "Y");
    EXPECT_EQ(ini.iniGet("QQ", "", false), "12'3");
    EXPECT_EQ(ini.iniGet("58小票打印宽度", "480", true), "");
    EXPECT_EQ(ini.iniGet("DHH", "none", false), "none");
    EXPECT_EQ(TempFolder::read(path),
              "junk dh = {电话}tx = {Y}\r\n58小票打印宽度 = {}\r\nQQ = {12'3}");
}

TEST(IniFile, WritesAMissingKeyWithItsDefault) {
    TempFolder folder;
    std::string path = folder.file("配置文件.ini");
    IniFile ini(path);
    EXPECT_EQ(ini.iniGet("58小票打印宽度", "480", true), "480");
    EXPECT_EQ(ini.iniGet("80小票打印宽度", "700", true), "700");
    EXPECT_EQ(TempFolder::read(path), "58小票打印宽度 = {480}\r\n80小票打印宽度 = {700}\r\n");
    EXPECT_EQ(ini.iniGet("58小票打印宽度", "1", true), "480");
}

TEST(IniFile, ReadsFilesOfTheOlderProgramInGbk) {
    TempFolder folder;
    std::string path = folder.file("配置文件.ini");
    TempFolder::write(path, TextCodec::utf8ToGbk("DHH = {订餐电话:123}\r\n"));
    IniFile ini(path);
    EXPECT_EQ(ini.iniGet("DHH", "", false), "订餐电话:123");
    EXPECT_EQ(ini.iniGet("80小票打印宽度", "700", true), "700");
    EXPECT_EQ(TempFolder::read(path), "DHH = {订餐电话:123}\r\n80小票打印宽度 = {700}\r\n");
}

TEST(TextCodec, CountsGbkBytes) {
    EXPECT_EQ(TextCodec::gbkLength("宫保鸡丁x2"), 10);
    EXPECT_EQ(TextCodec::gbkToUtf8(TextCodec::utf8ToGbk("　菜")), "　菜");
    EXPECT_TRUE(TextCodec::isValidUtf8("ascii 菜"));
    EXPECT_FALSE(TextCodec::isValidUtf8(TextCodec::utf8ToGbk("菜")));
}

TEST(StorageStartup, ASecondStartChangesNothing) {
    TempFolder folder;
    std::string path = folder.file("data/data.mdb");
    auto start = [&path] {
        Database db;
        EXPECT_TRUE(StorageStartup::openDatabase(db, path)) << db.lastError();
    };
    start();
    std::string first = TempFolder::read(path);
    start();
    EXPECT_EQ(TempFolder::read(path), first);
    EXPECT_FALSE(std::filesystem::exists(folder.file("data/data.mdb.part")));
}

TEST(StorageStartup, RefusesAFileThatIsNoOrderDatabase) {
    TempFolder folder;
    std::filesystem::create_directories(folder.file("data"));
    TempFolder::write(folder.file("data/data.mdb"), "");
    Database db;
    EXPECT_FALSE(StorageStartup::openDatabase(db, folder.file("data/data.mdb")));
    EXPECT_EQ(std::filesystem::file_size(folder.file("data/data.mdb")), 0u);
}

TEST(IniFile, NeverOverwritesWhatItCannotRead) {
    TempFolder folder;
    std::string path = folder.file("配置文件.ini");
    std::filesystem::create_directories(path);
    IniFile ini(path);
    EXPECT_EQ(ini.iniGet("58小票打印宽度", "480", true), "480");
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST(IniFile, AnEmptyFileGetsTheMissingKey) {
    TempFolder folder;
    std::string path = folder.file("配置文件.ini");
    TempFolder::write(path, "");
    EXPECT_EQ(IniFile(path).iniGet("DH", "x", true), "x");
    EXPECT_EQ(TempFolder::read(path), "DH = {x}\r\n");
}

TEST(IniFile, SectionsReadAndWriteTheirOwnLines) {
    struct Case {
        const char* before;
        const char* after; // once 类型 = postgresql and 连接 = host=a are set
        const char* typeBefore;
    };
    const Case cases[] = {
        {"", "[数据库]\r\n类型 = {postgresql}\r\n连接 = {host=a}\r\n", "无"},
        {"DH = {1}", "DH = {1}\r\n[数据库]\r\n类型 = {postgresql}\r\n连接 = {host=a}\r\n", "无"},
        // Hand-written lines, other keys and other sections stay as they were.
        {"[数据库]\n类型=sqlite\nx = {1}\n[其他]\n类型 = {y}\n",
         "[数据库]\n类型 = {postgresql}\nx = {1}\n连接 = {host=a}\r\n[其他]\n类型 = {y}\n", "sqlite"},
        {"[数据库]\r\n 类型 = {SQLite}\r\n连接 = {h}", "[数据库]\r\n类型 = {postgresql}\r\n连接 = {host=a}",
         "SQLite"},
        {"[数据库]", "[数据库]\r\n类型 = {postgresql}\r\n连接 = {host=a}\r\n", "无"},
        // A top-level entry of the same name is not the section's.
        {"类型 = {z}\r\n", "类型 = {z}\r\n[数据库]\r\n类型 = {postgresql}\r\n连接 = {host=a}\r\n", "无"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const std::string path = folder.file("配置文件.ini");
        TempFolder::write(path, c.before);
        IniFile ini(path);
        EXPECT_EQ(ini.sectionGet("数据库", "类型", "无"), c.typeBefore) << c.before;
        ASSERT_TRUE(ini.sectionSet("数据库", {{"类型", "postgresql"}, {"连接", "host=a"}}));
        EXPECT_EQ(TempFolder::read(path), c.after) << c.before;
        EXPECT_EQ(ini.sectionGet("数据库", "连接", ""), "host=a") << c.before;
    }
}

TEST(DatabaseSettings, AMissingTypeIsTheFileAndAnUnknownOneIsRefused) {
    const std::pair<const char*, DatabaseSettings::Engine> cases[] = {
        {"", DatabaseSettings::Engine::Sqlite},
        {"[数据库]\r\n连接 = {host=a}\r\n", DatabaseSettings::Engine::Sqlite},
        {"[数据库]\r\n类型 = { PostgreSQL }\r\n", DatabaseSettings::Engine::Postgresql},
        {"[数据库]\r\n类型 = {mysql}\r\n", DatabaseSettings::Engine::Unknown},
    };
    for (auto [text, engine] : cases) {
        TempFolder folder;
        TempFolder::write(folder.file("配置文件.ini"), text);
        EXPECT_EQ(DatabaseSettings::load(IniFile(folder.file("配置文件.ini"))).engine, engine)
            << text;
    }
}

// The password goes to the user's own password file, never into the INI
// file, which only its owner may read once it names a server.
TEST(DatabaseSettings, ThePasswordLeavesTheIniFile) {
    TempFolder folder;
    const std::string passwords = folder.file("pgpass");
    ASSERT_EQ(setenv("PGPASSFILE", passwords.c_str(), 1), 0);
    const std::string path = folder.file("配置文件.ini");
    TempFolder::write(path, "58小票打印宽度 = {480}\r\n");
    std::filesystem::permissions(path, std::filesystem::perms(0644));
    TempFolder::write(passwords, "other:5432:*:*:kept\n192.168.1.5:*:*:*:old\n");
    IniFile ini(path);
    DatabaseSettings chosen;
    chosen.engine = DatabaseSettings::Engine::Postgresql;
    chosen.connection = "host=192.168.1.5 password='}{ x'";
    ASSERT_TRUE(chosen.save(ini));
    const DatabaseSettings read = DatabaseSettings::load(ini);
    EXPECT_TRUE(read.onServer());
    EXPECT_EQ(read.connection, "host=192.168.1.5");
    EXPECT_EQ(TempFolder::read(path).find("x'"), std::string::npos);
    EXPECT_EQ(TempFolder::read(passwords), "other:5432:*:*:kept\n192.168.1.5:*:*:*:}{ x\n");
    const auto mode = [](const std::string& file) {
        return static_cast<int>(std::filesystem::status(file).permissions()) & 0777;
    };
    EXPECT_EQ(mode(path), 0600);
    EXPECT_EQ(mode(passwords), 0600);
    // A password typed apart, with the separators of the file, and every
    // later rewrite keeps the owner's choice of mode.
    chosen.connection = "host=db user=till:1";
    chosen.password = "a:b\\c";
    ASSERT_TRUE(chosen.save(ini));
    EXPECT_NE(TempFolder::read(passwords).find("db:*:*:till\\:1:a\\:b\\\\c\n"), std::string::npos);
    std::filesystem::permissions(path, std::filesystem::perms(0640));
    EXPECT_EQ(ini.iniGet("80小票打印宽度", "640", true), "640");
    EXPECT_EQ(mode(path), 0640);
    ASSERT_TRUE(chosen.save(ini));
    EXPECT_EQ(mode(path), 0600);
    // An older file is put right at start-up; one for the file engine alone is left as it is.
    const struct {
        const char* text;
        int modeAfter;
    } older[] = {
        {"[数据库]\r\n类型 = {postgresql}\r\n连接 = {host=old password=Pw9}\r\n", 0600},
        {"[数据库]\r\n类型 = {postgresql}\r\n连接 = {host=old}\r\n", 0600},
        {"[数据库]\r\n类型 = {sqlite}\r\n", 0644},
    };
    for (const auto& c : older) {
        TempFolder::write(path, c.text);
        std::filesystem::permissions(path, std::filesystem::perms(0644));
        EXPECT_TRUE(DatabaseSettings::load(ini).secure(ini));
        EXPECT_EQ(mode(path), c.modeAfter) << c.text;
        EXPECT_EQ(TempFolder::read(path).find("Pw9"), std::string::npos);
    }
    EXPECT_NE(TempFolder::read(passwords).find("old:*:*:*:Pw9\n"), std::string::npos);
    unsetenv("PGPASSFILE");
}

TEST(IniFile, NewFilesAreCreatedForTheirOwnerWhenTheyNameAServer) {
    TempFolder folder;
    ASSERT_EQ(setenv("PGPASSFILE", folder.file("pgpass").c_str(), 1), 0);
    for (const auto engine :
         {DatabaseSettings::Engine::Sqlite, DatabaseSettings::Engine::Postgresql}) {
        const std::string path =
            folder.file(engine == DatabaseSettings::Engine::Sqlite ? "a.ini" : "b.ini");
        DatabaseSettings chosen;
        chosen.engine = engine;
        chosen.connection = engine == DatabaseSettings::Engine::Sqlite ? "" : "host=db";
        ASSERT_TRUE(chosen.save(IniFile(path)));
        const auto others =
            std::filesystem::status(path).permissions() &
            (std::filesystem::perms::group_all | std::filesystem::perms::others_all);
        EXPECT_EQ(others == std::filesystem::perms::none, chosen.onServer()) << path;
    }
    unsetenv("PGPASSFILE");
}

// An entry never runs past its line: one without its closing brace does not
// swallow the section after it, and a key added later starts a line of its own.
TEST(IniFile, AMalformedEntryKeepsToItsLine) {
    const struct {
        const char* before;
        const char* flat;       // DH as read
        const char* connection; // 连接 in [数据库] as read after DH was added
    } cases[] = {
        {"DH = {123\r\n[数据库]\r\n连接 = {host=a}\r\n", "123", "host=a"},
        {"DH = {\n[数据库]\n连接 = {host=a}", "", "host=a"},
        {"[数据库]\r\n连接 = {host=a}", "", "host=a"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string path = folder.file("配置文件.ini");
        TempFolder::write(path, c.before);
        IniFile ini(path);
        EXPECT_EQ(ini.iniGet("DH", "", false), c.flat) << c.before;
        ini.iniGet("TX", "5", true);
        EXPECT_EQ(ini.sectionGet("数据库", "连接", ""), c.connection) << c.before;
        EXPECT_EQ(ini.iniGet("TX", "", false), "5") << c.before;
    }
}

TEST(TillName, TheSettingOrElseTheHostName) {
    ASSERT_FALSE(TillName::hostName().empty());
    const std::pair<std::string, std::string> cases[] = {
        {"", TillName::hostName()},
        {"收银台 = {}\r\n", TillName::hostName()},
        {"收银台 = { 前台 }\r\n[数据库]\r\n收银台 = {x}\r\n", "前台"},
        {"收银台 = {" + std::string(30, 'a') + std::string(40, 'z') + "}",
         std::string(30, 'a') + std::string(34, 'z')},
        {"收银台 = {" + std::string(63, 'a') + "前台}", std::string(63, 'a') + "前"},
    };
    for (const auto& [text, name] : cases) {
        TempFolder folder;
        TempFolder::write(folder.file("配置文件.ini"), text);
        EXPECT_EQ(TillName::of(IniFile(folder.file("配置文件.ini"))), name) << text;
    }
}
