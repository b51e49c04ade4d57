#pragma once
#include "receipt/PrinterSettings.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

class SettingsStore;

// What the receipt settings dialog edits, and the rules for reading, checking
// and storing it. The dialog copies its controls into a form and back; every
// decision about the values is taken here.
class ReceiptSettingsForm {
  public:
    static constexpr int kLineGroups = 11;
    static constexpr int kMinFontSize = 7;
    static constexpr int kMaxFontSize = 30;
    static constexpr int kMinCopies = 1;
    static constexpr int kMaxCopies = 4;

    enum class Picture { Top, Bottom };

    // A picture box and its path box: the path is empty until the user
    // chooses a file, and only a chosen picture is ever written.
    struct PictureChoice {
        std::string path;
        std::vector<unsigned char> bytes;
    };

    int receiptType = 0; // 0 = "58小票", 1 = "80小票"
    int layoutMode = 1;  // 0 = "默认设置", 1 = "自定义"
    std::string copies = "1";
    bool extra1Enabled = false;
    std::string extra1Text;
    bool extra2Enabled = false;
    std::string extra2Text;
    bool printTopPicture = false;
    bool printBottomPicture = false;
    std::array<std::string, kLineGroups> fontSizes;
    std::array<bool, kLineGroups> bold{};
    PictureChoice topPicture;
    PictureChoice bottomPicture;
    PrinterSettings printer;

    // Reads the stored keys and the picture files of the data folder.
    static ReceiptSettingsForm load(const SettingsStore& store, const std::string& dataFolder);

    // The copies box never shows a count below one.
    static std::string correctedCopies(const std::string& text);

    // Brings the copies into 1..4, then returns the first line group (from 0)
    // whose size is outside the accepted range; nothing when all are valid.
    std::optional<int> validate();

    // Writes every key, all of them or none, and each chosen picture to its
    // file in the data folder. Empty when stored, else what to tell the cashier.
    std::string save(SettingsStore& store, const std::string& dataFolder) const;

    // The file as a chosen picture; nothing when it cannot be read or is not
    // a PNG picture.
    static std::optional<PictureChoice> readPicture(const std::string& path);

    static std::string pictureFileName(Picture which); // "stp.png" / "xtp.png"
    static const std::array<std::string, kLineGroups>& lineGroupLabels();
    static std::string fontSizeNote();
    static std::string fontSizeMessage();
    static std::string extra1Initial() { return "订餐电话:1350000****"; }
    static std::string extra2Initial() { return "订餐微信号:wxdc****"; }
    static std::string connectionMessage();
};
