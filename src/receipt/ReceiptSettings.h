#pragma once
#include <array>
#include <string>

class Database;
class IniFile;

// One optional free-text line of the receipt.
struct ExtraInfo {
    bool enabled = false;
    std::string text;
};

// Font of one line group of the receipt.
struct LineStyle {
    int size = 9; // points
    bool bold = false;
};

// Everything that shapes a printed receipt apart from the order; rebuilt from
// storage for every receipt.
struct ReceiptSettings {
    static constexpr int lineGroupCount = 11;

    int receiptType = 0;  // 0: 58 mm, anything else: 80 mm
    int layoutMode = 0;   // 0: default layout, otherwise custom
    int paperWidth = 480; // printable width in 0.1 mm
    std::array<ExtraInfo, 2> extraInfo;
    bool printTopPicture = false;
    bool printBottomPicture = false;
    std::array<LineStyle, lineGroupCount> lineStyles;
    int copies = 1;
};

// Reads the receipt keys of 记录 and the printable width of 配置文件.ini
// (writing the default width there when the key is missing).
ReceiptSettings loadReceiptSettings(Database& db, const IniFile& ini);
ReceiptSettings loadReceiptSettings(Database& db); // the program folder's INI file

// Start-up: writes the receipt keys that are missing, taking over the
// extra-information lines of the older INI keys once.
void seedReceiptDefaults(Database& db, const IniFile& ini);
void seedReceiptDefaults(Database& db);
