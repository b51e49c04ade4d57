#include "receipt/PrinterSettings.h"

#include "printer/PrinterConnection.h"
#include "storage/config/SettingsStore.h"
#include "storage/values/Values.h"

namespace {

std::string flag(bool on) {
    return on ? "1" : "0";
}

bool readFlag(const SettingsStore& store, const char* key, bool fallback) {
    const std::string value = store.get(key, "");
    return value.empty() ? fallback : value == "1";
}

} // namespace

PrinterSettings PrinterSettings::load(const SettingsStore& store) {
    PrinterSettings s;
    s.method = store.get("打印方式", "系统") == "ESCPOS" ? Method::EscPos : Method::System;
    s.connection = store.get("打印机连接", "");
    s.cutAfterCopy = readFlag(store, "打印后切纸", s.cutAfterCopy);
    s.openDrawer = readFlag(store, "结算开钱箱", s.openDrawer);
    s.mode = store.get("热敏打印模式", "图像") == "文字" ? Mode::Text : Mode::Raster;
    return s;
}

bool PrinterSettings::save(SettingsStore& store) const {
    const auto parsed = PrinterConnection::parse(connection);
    return store.setAll({{"打印方式", method == Method::EscPos ? "ESCPOS" : "系统"},
                         {"打印机连接", parsed ? parsed->text() : connection},
                         {"打印后切纸", flag(cutAfterCopy)},
                         {"结算开钱箱", flag(openDrawer)},
                         {"热敏打印模式", mode == Mode::Text ? "文字" : "图像"}});
}

bool PrinterSettings::connectionAccepted() const {
    if (Values::trim(connection).empty())
        return method == Method::System;
    return PrinterConnection::parse(connection).has_value();
}
