#pragma once
#include <string>

// Conversions between the UTF-8 text used inside the program and GBK
// (code page 936), the encoding of older files and of byte-counted layout.
namespace TextCodec {

bool isValidUtf8(const std::string& text);
// Characters that cannot be converted become '?', so a length is never lost.
std::string utf8ToGbk(const std::string& text);
std::string gbkToUtf8(const std::string& text);
// Length of the text in GBK bytes: two for a Chinese character, one for ASCII.
int gbkLength(const std::string& utf8);

} // namespace TextCodec
