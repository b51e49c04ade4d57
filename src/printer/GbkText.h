#pragma once
#include <string>

// Receipt layout counts bytes of the GBK encoding: one for an ASCII
// character, two for any other.
namespace GbkText {

// Bytes the UTF-8 text takes in GBK; a character GBK lacks counts two.
int length(const std::string& utf8);
// Left-pads with spaces to at least `bytes` GBK bytes.
std::string padLeft(const std::string& utf8, int bytes);

} // namespace GbkText
