#include "printer/EscPosJob.h"

#include "printer/MonoBitmap.h"

#include <algorithm>
#include <iconv.h>

namespace {

constexpr unsigned char ESC = 0x1B, GS = 0x1D, FS = 0x1C, LF = 0x0A;
const std::string missingCharacter = "\xA3\xBF"; // "？"
// Printed for a control character: text never reaches the printer as a
// command (ESC p opens the drawer, GS V cuts), and one column keeps the layout.
constexpr char controlStandIn = '?';

bool isControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

std::size_t utf8Length(unsigned char lead) {
    return lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

// One character at a time, so that a character without a two-byte code
// takes exactly the two columns the layout counted for it.
class Gb18030 {
  public:
    Gb18030() : m_cd(iconv_open("GB18030", "UTF-8")) {}
    ~Gb18030() {
        if (m_cd != iconv_t(-1))
            iconv_close(m_cd);
    }
    Gb18030(const Gb18030&) = delete;
    Gb18030& operator=(const Gb18030&) = delete;

    std::string convert(const std::string& utf8) {
        std::string out;
        out.reserve(utf8.size());
        for (std::size_t i = 0; i < utf8.size();) {
            const auto lead = static_cast<unsigned char>(utf8[i]);
            const std::size_t len = std::min(utf8Length(lead), utf8.size() - i);
            if (lead < 0x80)
                out += isControl(lead) ? controlStandIn : char(lead);
            else
                out += character(utf8.data() + i, len);
            i += len;
        }
        return out;
    }

  private:
    std::string character(const char* utf8, std::size_t len) {
        if (m_cd == iconv_t(-1))
            return missingCharacter;
        char buffer[8];
        char* in = const_cast<char*>(utf8);
        char* out = buffer;
        std::size_t inLeft = len, outLeft = sizeof buffer;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        const bool converted = iconv(m_cd, &in, &inLeft, &out, &outLeft) != std::size_t(-1);
        // Four-byte codes name characters the printers' fonts do not carry.
        if (!converted || inLeft != 0 || out - buffer != 2)
            return missingCharacter;
        return std::string(buffer, out);
    }

    iconv_t m_cd;
};

unsigned char clampByte(int value, int low, int high) {
    return static_cast<unsigned char>(std::clamp(value, low, high));
}

} // namespace

EscPosJob::EscPosJob() {
    m_bytes.reserve(16 * 1024);
}

void EscPosJob::put(std::initializer_list<unsigned char> bytes) {
    m_bytes.insert(m_bytes.end(), bytes);
}

void EscPosJob::initialise() {
    put({ESC, '@', FS, '&'});
}

void EscPosJob::setAlignment(int alignment) {
    put({ESC, 'a', clampByte(alignment, 0, 2)});
}

void EscPosJob::setBold(bool bold) {
    put({ESC, 'E', static_cast<unsigned char>(bold ? 1 : 0)});
}

void EscPosJob::setCharacterSize(int widthTimes, int heightTimes) {
    const unsigned char w = clampByte(widthTimes, 1, 8) - 1;
    const unsigned char h = clampByte(heightTimes, 1, 8) - 1;
    put({GS, '!', static_cast<unsigned char>(w << 4 | h)});
}

void EscPosJob::setLineSpacing(int dots) {
    put({ESC, '3', clampByte(dots, 0, 255)});
}

std::string EscPosJob::printerText(const std::string& utf8) {
    static thread_local Gb18030 codec;
    return codec.convert(utf8);
}

void EscPosJob::printLine(const std::string& utf8) {
    const std::string text = printerText(utf8);
    m_bytes.insert(m_bytes.end(), text.begin(), text.end());
    m_bytes.push_back(LF);
}

void EscPosJob::feedLines(int lines) {
    put({ESC, 'd', clampByte(lines, 0, 255)});
}

void EscPosJob::printRaster(const MonoBitmap& bitmap) {
    if (bitmap.isEmpty())
        return;
    const int rowBytes = bitmap.bytesPerRow();
    for (int top = 0; top < bitmap.height; top += bandRows) {
        const int rows = std::min(bandRows, bitmap.height - top);
        put({GS, 'v', '0', 0, static_cast<unsigned char>(rowBytes & 0xFF),
             static_cast<unsigned char>(rowBytes >> 8), static_cast<unsigned char>(rows & 0xFF),
             static_cast<unsigned char>(rows >> 8)});
        const auto first = bitmap.bits.begin() + std::ptrdiff_t(top) * rowBytes;
        m_bytes.insert(m_bytes.end(), first, first + std::ptrdiff_t(rows) * rowBytes);
    }
}

void EscPosJob::cut() {
    put({GS, 'V', 66, 0});
}

void EscPosJob::openDrawer() {
    // 50 ms on, 500 ms off: long enough for the common drawer solenoids.
    put({ESC, 'p', 0, 25, 250});
}
