#include "receipt/ReceiptSettings.h"
#include "storage/config/IniFile.h"
#include "storage/config/SettingsStore.h"
#include "storage/engine/StorageStartup.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class ReceiptSettingsTest : public ::testing::Test, public TestDatabase {
  protected:
    IniFile ini() const { return IniFile(folder.file("配置文件.ini")); }
    std::string iniText() { return TempFolder::read(ini().path()); }
    void writeIni(const std::string& text) { TempFolder::write(ini().path(), text); }

    SettingsStore store{db};
};

} // namespace

TEST_F(ReceiptSettingsTest, FreshStoreGetsTheFirstRunValuesOnce) {
    seedReceiptDefaults(db, ini());
    const std::pair<const char*, const char*> expected[] = {
        {"附带信息1勾选", "1"},
        {"附带信息2勾选", "0"},
        {"附带信息1", "订餐电话:1350000****"},
        {"顶部图片勾选", "1"},
        {"底部图片勾选", "1"},
        {"打印份数", "1"},
        {"字体大小", "9|9|9|9|9|9|12|9|9|12|12"}};
    for (auto [key, value] : expected)
        EXPECT_EQ(store.get(key, "?"), value) << key;
    EXPECT_TRUE(*store.exists("附带信息2"));
    EXPECT_FALSE(std::filesystem::exists(ini().path()));

    store.set("打印份数", "3");
    seedReceiptDefaults(db, ini());
    EXPECT_EQ(store.get("打印份数", ""), "3");
    int handle = db.OpenTable("select count(*) from 记录");
    EXPECT_EQ(db.ReadColByIndex(handle, 1).toInt(), 13);
    db.CloseTable(handle);
}

TEST_F(ReceiptSettingsTest, LegacyIniKeysAreTakenOverWithoutWritingBack) {
    writeIni("DH = {1}\r\nTX = {Y}\r\nDHH = {电话:8888'1}\r\nQQ = {QQ:42}\r\n");
    seedReceiptDefaults(db, ini());
    EXPECT_EQ(store.get("附带信息2勾选", ""), "1");
    EXPECT_EQ(store.get("附带信息1", ""), "电话:8888'1");
    EXPECT_EQ(store.get("附带信息2", ""), "QQ:42");
    EXPECT_EQ(iniText(), "DH = {1}\r\nTX = {Y}\r\nDHH = {电话:8888'1}\r\nQQ = {QQ:42}\r\n");
}

TEST_F(ReceiptSettingsTest, LoadsTheCustomLayout) {
    seedReceiptDefaults(db, ini());
    ReceiptSettings s = loadReceiptSettings(db, ini());
    EXPECT_EQ(s.receiptType, 0);
    EXPECT_EQ(s.paperWidth, 480);
    EXPECT_EQ(s.layoutMode, 1);
    EXPECT_TRUE(s.printTopPicture);
    EXPECT_TRUE(s.printBottomPicture);
    EXPECT_EQ(s.lineStyles[6].size, 12);
    EXPECT_TRUE(s.lineStyles[6].bold);
    EXPECT_EQ(s.lineStyles[0].size, 9);
    EXPECT_FALSE(s.lineStyles[0].bold);
    EXPECT_TRUE(s.extraInfo[0].enabled);
    EXPECT_EQ(s.extraInfo[0].text, "订餐电话:1350000****");
    EXPECT_FALSE(s.extraInfo[1].enabled);
    EXPECT_EQ(s.copies, 1);
    EXPECT_EQ(iniText(), "58小票打印宽度 = {480}\r\n");

    store.set("字体大小", "10|11");
    store.set("勾选加粗", "1|0|1|1|1|1|1|1|1|1|1|1|1");
    s = loadReceiptSettings(db, ini());
    EXPECT_EQ(s.lineStyles[0].size, 10);
    EXPECT_EQ(s.lineStyles[1].size, 11);
    EXPECT_EQ(s.lineStyles[2].size, 0);
    EXPECT_TRUE(s.lineStyles[10].bold);
    EXPECT_FALSE(s.lineStyles[1].bold);
}

TEST_F(ReceiptSettingsTest, DefaultLayoutIgnoresStoredFontsAndPictures) {
    seedReceiptDefaults(db, ini());
    store.set("设置类型", "0");
    store.set("小票类型", "2");
    store.set("附带信息2勾选", "1");
    store.set("附带信息2", "second");
    writeIni("58小票打印宽度 = {500}\r\n");
    ReceiptSettings s = loadReceiptSettings(db, ini());
    EXPECT_EQ(s.paperWidth, 700);
    EXPECT_EQ(iniText(), "58小票打印宽度 = {500}\r\n80小票打印宽度 = {700}\r\n");
    EXPECT_FALSE(s.printTopPicture);
    EXPECT_FALSE(s.printBottomPicture);
    for (const LineStyle& style : s.lineStyles) {
        EXPECT_EQ(style.size, 9);
        EXPECT_FALSE(style.bold);
    }
    EXPECT_TRUE(s.extraInfo[1].enabled);
    EXPECT_EQ(s.extraInfo[1].text, "second");
}

TEST_F(ReceiptSettingsTest, ASecondStartUpLeavesTheDatabaseFileAsItWas) {
    seedReceiptDefaults(db, ini());
    db.close();
    auto bytes = [this] { return TempFolder::read(folder.file("data/data.mdb")); };
    std::string before = bytes();
    Database again;
    ASSERT_TRUE(StorageStartup::openDatabase(again, folder.file("data/data.mdb")));
    seedReceiptDefaults(again, ini());
    again.close();
    EXPECT_EQ(bytes(), before);
}
