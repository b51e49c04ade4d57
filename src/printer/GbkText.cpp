#include "printer/GbkText.h"

namespace GbkText {

int length(const std::string& utf8) {
    int bytes = 0;
    for (unsigned char c : utf8) {
        if (c < 0x80)
            bytes += 1;
        else if ((c & 0xC0) != 0x80)
            bytes += 2; // a lead byte starts one non-ASCII character
    }
    return bytes;
}

std::string padLeft(const std::string& utf8, int bytes) {
    const int missing = bytes - length(utf8);
    return missing > 0 ? std::string(missing, ' ') + utf8 : utf8;
}

} // namespace GbkText
