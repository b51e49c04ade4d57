#pragma once
#include <string>

// Inserts CR LF so that no line holds more than `limit` GBK bytes, moving
// ASCII words whole and keeping opening marks off line ends and closing
// marks off line starts. Text in and out is UTF-8; breaks already in the
// text (CR LF) are kept. Every line gets at least one character, so the
// result is finite for any limit.
std::string wrapText(const std::string& utf8, int limit);
