#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Small conversions shared by the two chart data files.
namespace ChartText {

// A colour held lowest byte red (Windows order) written as "0xRRGGBB"; the
// highest byte never shows. 0x80E000 -> "0x00E080".
std::string colorToHex(std::uint32_t color);
std::string logical(bool value);
// Items joined by "," with no trailing comma.
std::string join(const std::vector<std::string>& items);
// Every occurrence of slot in text becomes value.
void fillSlot(std::string& text, const std::string& slot, const std::string& value);
// The UTF-8 byte-order mark both files start with.
inline constexpr const char* byteOrderMark = "\xEF\xBB\xBF";
// Writes bytes to path, replacing the file; false when it cannot be written.
bool writeFile(const std::string& path, const std::string& bytes);

} // namespace ChartText

// Keeps using the short name the writers and reports are written with.
using ChartText::colorToHex;
