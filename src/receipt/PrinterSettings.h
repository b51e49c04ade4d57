#pragma once
#include <string>

class SettingsStore;

// How receipts reach paper: through the system's print dialog, or straight
// to an ESC/POS thermal printer. Other tools read the same keys, so their
// texts are fixed: "打印方式" "系统"/"ESCPOS", "打印机连接", "打印后切纸" and
// "结算开钱箱" "1"/"0", "热敏打印模式" "文字"/"图像".
struct PrinterSettings {
    enum class Method { System, EscPos };
    enum class Mode { Text, Raster };

    Method method = Method::System;
    std::string connection;
    bool cutAfterCopy = true;
    bool openDrawer = false;
    // The picture prints on any ESC/POS printer exactly as the preview shows
    // it; text needs the printer's Chinese font, so it is the cashier's choice.
    Mode mode = Mode::Raster;

    // Missing keys read as the defaults above.
    static PrinterSettings load(const SettingsStore& store);
    // The connection is stored in its full form ("tcp:192.168.1.50:9100").
    bool save(SettingsStore& store) const; // false when a key was not stored
    // A thermal printer needs a connection, and any text typed must name one.
    bool connectionAccepted() const;
};
