#include "catalogue/LetterCode.h"
#include "catalogue/LetterCodeTable.h"

#include <cerrno>
#include <iconv.h>

std::string LetterCode::deriveLetterCode(const std::string& name) {
    return fromGbk(toGbk(name));
}

std::string LetterCode::fromGbk(const std::string& gbk) {
    std::string result;
    int lead = -1;
    for (const char c : gbk) {
        const auto byte = static_cast<unsigned char>(c);
        if (lead < 0 && byte > 0x80) {
            lead = byte;
        } else if (lead >= 0 && byte > 0x28) {
            if (const char letter = LetterCodeTable::initial(lead, byte))
                result += letter;
            lead = -1;
        } else {
            result += c;
        }
    }
    return result;
}

std::string LetterCode::toGbk(const std::string& utf8) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    std::string out;
    std::string in = utf8;
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr);
        if (rc != static_cast<size_t>(-1) || errno == E2BIG)
            continue;
        if (errno == EILSEQ) {
            // Skip the whole UTF-8 sequence of a character GBK does not have.
            do {
                ++inPtr;
                --inLeft;
            } while (inLeft > 0 && (static_cast<unsigned char>(*inPtr) & 0xC0) == 0x80);
        } else {
            break;
        }
    }
    iconv_close(cd);
    return out;
}
