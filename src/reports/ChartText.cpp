#include "reports/ChartText.h"

#include <cstdio>
#include <fstream>

namespace ChartText {

std::string colorToHex(std::uint32_t color) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X%02X%02X", color & 0xFFu, (color >> 8) & 0xFFu,
                  (color >> 16) & 0xFFu);
    return text;
}

std::string logical(bool value) {
    return value ? "true" : "false";
}

std::string join(const std::vector<std::string>& items) {
    std::string joined;
    for (const auto& item : items)
        joined += item + ",";
    if (!joined.empty())
        joined.pop_back();
    return joined;
}

void fillSlot(std::string& text, const std::string& slot, const std::string& value) {
    for (auto at = text.find(slot); at != std::string::npos;
         at = text.find(slot, at + value.size()))
        text.replace(at, slot.size(), value);
}

bool writeFile(const std::string& path, const std::string& bytes) {
    // A file that cannot be opened is left as it was.
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace ChartText
