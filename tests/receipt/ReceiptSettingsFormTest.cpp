#include "receipt/ReceiptSettingsForm.h"
#include "storage/config/SettingsStore.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using Picture = ReceiptSettingsForm::Picture;

namespace {

// A red picture of 2 x 1 pixels.
const std::vector<unsigned char> kPngBytes = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00, 0x00, 0x7b,
    0x40, 0xe8, 0xdd, 0x00, 0x00, 0x00, 0x0f, 0x49, 0x44, 0x41, 0x54, 0x08, 0xd7, 0x63, 0xfc,
    0xcf, 0xc0, 0xc0, 0xc0, 0xc0, 0x00, 0x00, 0x06, 0x08, 0x01, 0x01, 0xc3, 0x9a, 0x60, 0xc5,
    0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

void writeBytes(const fs::path& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<unsigned char> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ReceiptSettingsFormTest : public ::testing::Test, public TestDatabase {
  protected:
    ReceiptSettingsFormTest() : TestDatabase(Start::Receipt) {}

    fs::path dataFolder() const { return m_folder / "data"; }
    std::string data() const { return dataFolder().string(); }
    ReceiptSettingsForm load() { return ReceiptSettingsForm::load(m_store, data()); }

    const fs::path m_folder = folder.path();
    SettingsStore m_store{db};
};

TEST_F(ReceiptSettingsFormTest, LoadsTheSeededSettings) {
    const ReceiptSettingsForm form = load();
    EXPECT_EQ(form.receiptType, 0);
    EXPECT_EQ(form.layoutMode, 1);
    EXPECT_EQ(form.copies, "1");
    EXPECT_TRUE(form.printTopPicture);
    EXPECT_EQ(form.fontSizes[0], "9");
    EXPECT_EQ(form.fontSizes[6], "12");
    EXPECT_TRUE(form.bold[10]);
    EXPECT_FALSE(form.bold[0]);
    EXPECT_TRUE(form.topPicture.path.empty());
    EXPECT_TRUE(form.topPicture.bytes.empty());
}

TEST_F(ReceiptSettingsFormTest, ReadsUnusualStoredValuesAsTheReceiptDoes) {
    m_store.set("小票类型", "2");
    m_store.set("设置类型", "7");
    m_store.set("附带信息1", "");
    m_store.set("附带信息2", "");
    m_store.set("字体大小", "10|11");
    m_store.set("勾选加粗", "5|0|x");
    const ReceiptSettingsForm form = load();
    EXPECT_EQ(form.receiptType, 1);
    EXPECT_EQ(form.layoutMode, 1);
    EXPECT_EQ(form.extra1Text, ReceiptSettingsForm::extra1Initial());
    EXPECT_EQ(form.extra2Text, ReceiptSettingsForm::extra2Initial());
    EXPECT_EQ(form.fontSizes[1], "11");
    EXPECT_EQ(form.fontSizes[2], "");
    EXPECT_EQ(form.fontSizes[10], "");
    EXPECT_TRUE(form.bold[0]);
    EXPECT_FALSE(form.bold[2]);
}

TEST(ReceiptSettingsFormRules, CopiesAreCorrectedBeforeTheSizesAreExamined) {
    struct Case {
        const char* copies;
        const char* corrected;
    };
    const Case cases[] = {{"0", "1"}, {"-3", "1"}, {"", "1"},  {"abc", "1"},
                          {"1", "1"}, {"4", "4"},  {"9", "4"}, {"3份", "3份"}};
    for (const Case& c : cases) {
        ReceiptSettingsForm form;
        form.copies = c.copies;
        form.fontSizes.fill("99");
        EXPECT_EQ(form.validate(), 0) << c.copies;
        EXPECT_EQ(form.copies, c.corrected) << c.copies;
    }
}

TEST(ReceiptSettingsFormRules, LiveCopiesCorrectionOnlyRaisesToOne) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "1"}, {"-1", "1"}, {"9", "9"}, {"2", "2"}};
    for (const auto& [typed, corrected] : cases)
        EXPECT_EQ(ReceiptSettingsForm::correctedCopies(typed), corrected) << typed;
}

TEST(ReceiptSettingsFormRules, FirstSizeOutsideSevenToThirtyIsReported) {
    struct Case {
        int row;
        const char* size;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {2, "7", std::nullopt},
        {2, "30", std::nullopt},
        {2, "12px", std::nullopt},
        {2, "6", 2},
        {2, "31", 2},
        {2, "", 2},
        {10, "0", 10},
        {0, "-9", 0},
        {4, "28", std::nullopt},
    };
    for (const Case& c : cases) {
        ReceiptSettingsForm form;
        form.fontSizes.fill("9");
        form.fontSizes[c.row] = c.size;
        EXPECT_EQ(form.validate(), c.expected) << c.row << " " << c.size;
    }
    ReceiptSettingsForm twoBad;
    twoBad.fontSizes.fill("9");
    twoBad.fontSizes[5] = "40";
    twoBad.fontSizes[8] = "1";
    EXPECT_EQ(twoBad.validate(), 5);
}

TEST(ReceiptSettingsFormRules, NoteAndMessageNameTheEnforcedRange) {
    EXPECT_EQ(ReceiptSettingsForm::fontSizeNote(), "字体大小允许的设定范围 7-30");
    EXPECT_EQ(ReceiptSettingsForm::fontSizeMessage(),
              "字体大小超出设定，请将字体大小控制在数值 7-30 的范围内。");
}

TEST_F(ReceiptSettingsFormTest, SavesEveryKeyInItsStoredForm) {
    ReceiptSettingsForm form = load();
    form.receiptType = 1;
    form.layoutMode = 0;
    form.copies = "3";
    form.extra1Enabled = false;
    form.extra1Text = "订餐电话:0531-'8888'";
    form.extra2Enabled = true;
    form.extra2Text = "";
    form.printTopPicture = false;
    form.printBottomPicture = true;
    form.fontSizes = {"7", "08", "9", "10abc", "11", "12", "13", "14", "15", "16", "30"};
    form.bold = {true, false, true, false, false, false, false, false, false, false, true};
    ASSERT_EQ(form.validate(), std::nullopt);
    form.save(m_store, data());

    const std::pair<const char*, const char*> expected[] = {
        {"小票类型", "1"},
        {"设置类型", "0"},
        {"打印份数", "3"},
        {"附带信息1勾选", "0"},
        {"附带信息1", "订餐电话:0531-'8888'"},
        {"附带信息2勾选", "1"},
        {"顶部图片勾选", "0"},
        {"底部图片勾选", "1"},
        {"字体大小", "7|8|9|10|11|12|13|14|15|16|30"},
        {"勾选加粗", "1|0|1|0|0|0|0|0|0|0|1"},
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(m_store.get(key, "<none>"), value) << key;
    EXPECT_TRUE(*m_store.exists("附带信息2"));
    EXPECT_EQ(m_store.get("附带信息2", "<empty>"), "<empty>");
}

TEST_F(ReceiptSettingsFormTest, OnlyAChosenPictureIsWritten) {
    const fs::path chosen = m_folder / "logo's.png";
    writeBytes(chosen, kPngBytes);
    writeBytes(dataFolder() / "xtp.png", {0x89, 'P', 'N', 'G', 9});

    ReceiptSettingsForm form = load();
    const auto picture = ReceiptSettingsForm::readPicture(chosen.string());
    ASSERT_TRUE(picture.has_value());
    form.topPicture = *picture;
    form.save(m_store, data());

    EXPECT_EQ(readBytes(dataFolder() / "stp.png"), kPngBytes);
    EXPECT_EQ(readBytes(dataFolder() / "xtp.png"),
              (std::vector<unsigned char>{0x89, 'P', 'N', 'G', 9}));
    EXPECT_FALSE(fs::exists(dataFolder() / "stp.png.new"));
    EXPECT_EQ(load().topPicture.bytes, kPngBytes);
}

TEST_F(ReceiptSettingsFormTest, RefusesFilesThatAreNotPngPictures) {
    const fs::path text = m_folder / "note.png";
    std::ofstream(text) << "not a picture";
    EXPECT_FALSE(ReceiptSettingsForm::readPicture(text.string()).has_value());
    const fs::path truncated = m_folder / "cut.png";
    writeBytes(truncated, {kPngBytes.begin(), kPngBytes.begin() + 30});
    EXPECT_FALSE(ReceiptSettingsForm::readPicture(truncated.string()).has_value());
    EXPECT_FALSE(ReceiptSettingsForm::readPicture((m_folder / "missing.png").string()));
}

} // namespace
