#include "receipt/ReceiptPictures.h"
#include "receipt/CreditPicture.h"
#include "printer/PngImage.h"
#include "receipt/ReceiptSettings.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class ReceiptPicturesTest : public testing::Test {
  protected:
    std::string file(const std::string& name) const { return m_folder.file(name); }
    void write(const std::string& name, const std::string& bytes) const {
        TempFolder::write(file(name), bytes);
    }
    std::string creditBytes() const {
        return {reinterpret_cast<const char*>(CreditPicture::data()), CreditPicture::size()};
    }

    TempFolder m_folder;
};

TEST_F(ReceiptPicturesTest, BuiltInCreditPictureIsOneLineOfText) {
    const PngImage image = PngImage::fromBytes(CreditPicture::data(), CreditPicture::size());
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 357);
    EXPECT_EQ(image.height(), 30);
    EXPECT_EQ(image.rgba().size(), 357u * 30u * 4u);
}

TEST_F(ReceiptPicturesTest, CreditFileIsRewrittenWhenItsSizeDiffers) {
    const struct {
        const char* what;
        bool present;
        std::string content;
    } cases[] = {
        {"missing", false, ""},
        {"other size", true, "not a picture"},
        {"empty", true, ""},
    };
    for (const auto& c : cases) {
        fs::remove(file("rjxc.png"));
        if (c.present)
            write("rjxc.png", c.content);
        const ReceiptPictures pictures(ReceiptSettings{}, 480, 1.0, m_folder.path());
        EXPECT_EQ(fs::file_size(file("rjxc.png")), CreditPicture::size()) << c.what;
        EXPECT_TRUE(pictures.credit().present()) << c.what;
    }
}

TEST_F(ReceiptPicturesTest, CreditFileOfTheSameSizeIsKept) {
    std::string sameSize(CreditPicture::size(), 'x');
    write("rjxc.png", sameSize);
    const ReceiptPictures pictures(ReceiptSettings{}, 480, 1.0, m_folder.path());
    EXPECT_FALSE(pictures.credit().present()) << "undecodable: printed as nothing";
    EXPECT_EQ(TempFolder::read(file("rjxc.png")), sameSize);
}

TEST_F(ReceiptPicturesTest, TopAndBottomFollowTheirSwitchesAndFiles) {
    write("stp.png", creditBytes());
    write("xtp.png", "damaged");
    ReceiptSettings settings;
    settings.printTopPicture = true;
    settings.printBottomPicture = true;
    const ReceiptPictures on(settings, 480, 1.0, m_folder.path());
    EXPECT_TRUE(on.top().present());
    EXPECT_FALSE(on.bottom().present()) << "undecodable file takes no space";

    settings.printTopPicture = false;
    const ReceiptPictures off(settings, 480, 1.0, m_folder.path());
    EXPECT_FALSE(off.top().present());
}

TEST_F(ReceiptPicturesTest, ScalesToThePaperWidthKeepingProportions) {
    const PngImage image = PngImage::fromBytes(CreditPicture::data(), CreditPicture::size());
    const struct {
        int paperWidth;
        double unitsPerPixel;
        int width, height;
    } cases[] = {
        {480, 1.0, 480, 40},        // 30 * 480 / 357 = 40.3
        {194, 1.0, 194, 16},        // scaled down
        {700, 254.0 / 96, 700, 58}, // printer units: the conversion cancels out
    };
    for (const auto& c : cases) {
        const ReceiptPicture placed = ReceiptPictures::scaled(image, c.paperWidth, c.unitsPerPixel);
        EXPECT_EQ(placed.width, c.width) << c.paperWidth;
        EXPECT_EQ(placed.height, c.height) << c.paperWidth;
    }
    EXPECT_FALSE(ReceiptPictures::scaled(PngImage(), 480, 1.0).present());
}

TEST_F(ReceiptPicturesTest, DecodingRefusesMissingAndDamagedFiles) {
    EXPECT_TRUE(PngImage::fromFile(file("none.png")).isNull());
    std::string truncated = creditBytes().substr(0, CreditPicture::size() / 2);
    write("half.png", truncated);
    EXPECT_TRUE(PngImage::fromFile(file("half.png")).isNull());
}

} // namespace
