#include "storage/values/TextCodec.h"
#include <cerrno>
#include <iconv.h>

namespace TextCodec {
namespace {

std::string convert(const std::string& text, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return text;
    std::string out;
    out.reserve(text.size() * 2);
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An unconvertible or cut-off sequence: one '?' for its first byte.
            out += '?';
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace

bool isValidUtf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        std::size_t follow;
        if (c < 0x80)
            follow = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            follow = 1;
        else if ((c & 0xF0) == 0xE0)
            follow = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            follow = 3;
        else
            return false;
        if (i + follow >= text.size() && follow > 0)
            return false;
        for (std::size_t k = 1; k <= follow; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += follow + 1;
    }
    return true;
}

std::string utf8ToGbk(const std::string& text) {
    return convert(text, "GBK", "UTF-8");
}

std::string gbkToUtf8(const std::string& text) {
    return convert(text, "UTF-8", "GBK");
}

int gbkLength(const std::string& utf8) {
    return static_cast<int>(utf8ToGbk(utf8).size());
}

} // namespace TextCodec
