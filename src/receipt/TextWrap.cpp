#include "receipt/TextWrap.h"

#include <array>
#include <iconv.h>
#include <string_view>
#include <vector>

namespace {

// The text in GBK, with the UTF-8 offset of every GBK character start, so
// that breaks found on GBK bytes can be put back into the UTF-8 text.
class GbkView {
  public:
    explicit GbkView(const std::string& utf8) {
        iconv_t cd = iconv_open("GBK", "UTF-8");
        for (size_t i = 0; i < utf8.size();) {
            const size_t len = utf8CharLength(utf8, i);
            append(cd, utf8, i, len);
            i += len;
        }
        if (cd != iconv_t(-1))
            iconv_close(cd);
        m_charStart.push_back(m_bytes.size());
        m_utf8At.push_back(utf8.size());
    }

    const std::string& bytes() const { return m_bytes; }
    size_t size() const { return m_bytes.size(); }

    // The start of the character holding byte `at` (or `at` at the end).
    size_t charStart(size_t at) const { return m_charStart[at]; }
    size_t charEnd(size_t at) const {
        size_t end = at + 1;
        while (end < m_bytes.size() && m_charStart[end] == m_charStart[at])
            ++end;
        return end;
    }
    size_t utf8Offset(size_t charStartAt) const { return m_utf8At[charStartAt]; }

  private:
    static size_t utf8CharLength(const std::string& s, size_t i) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        size_t n = 1;
        while (n < len && i + n < s.size() && (static_cast<unsigned char>(s[i + n]) & 0xC0) == 0x80)
            ++n;
        return n;
    }

    void append(iconv_t cd, const std::string& utf8, size_t i, size_t len) {
        std::string gbk;
        if (len == 1 && static_cast<unsigned char>(utf8[i]) < 0x80) {
            gbk = utf8.substr(i, 1);
        } else {
            char out[8];
            char* in = const_cast<char*>(utf8.data() + i);
            size_t inLeft = len;
            char* outPtr = out;
            size_t outLeft = sizeof out;
            if (cd != iconv_t(-1) && iconv(cd, &in, &inLeft, &outPtr, &outLeft) != size_t(-1) &&
                inLeft == 0)
                gbk.assign(out, outPtr);
            else
                gbk = "\xA1\xF5"; // a character GBK lacks still takes two wide bytes
        }
        const size_t start = m_bytes.size();
        for (size_t k = 0; k < gbk.size(); ++k) {
            m_charStart.push_back(start);
            m_utf8At.push_back(i);
        }
        m_bytes += gbk;
    }

    std::string m_bytes;
    std::vector<size_t> m_charStart;
    std::vector<size_t> m_utf8At;
};

std::string toGbk(std::string_view utf8) {
    return GbkView(std::string(utf8)).bytes();
}

const std::array<std::string, 5>& openingMarks() {
    static const std::array<std::string, 5> marks{toGbk("《"), toGbk("（"), toGbk("“"), toGbk("〈"),
                                                  toGbk("‘")};
    return marks;
}

const std::array<std::string, 11>& closingMarks() {
    static const std::array<std::string, 11> marks{
        toGbk("》"), toGbk("）"), toGbk("”"), toGbk("〉"), toGbk("，"), toGbk("。"),
        toGbk("？"), toGbk("："), toGbk("’"), toGbk("；"), toGbk("、")};
    return marks;
}

bool isWide(char c) {
    return static_cast<unsigned char>(c) >= 127;
}

template <size_t n>
bool markAt(const std::string& bytes, long at, const std::array<std::string, n>& marks) {
    if (at < 0 || size_t(at) + 2 > bytes.size())
        return false;
    const std::string_view two(bytes.data() + at, 2);
    for (const auto& mark : marks)
        if (two == mark)
            return true;
    return false;
}

// Where the line starting at `pos` ends, as an offset from `pos`, before the
// break is snapped to a character boundary.
long lineEnd(const std::string& g, size_t pos, long limit) {
    long h = 0, wordStart = 0;
    bool inWord = false;
    while (h < limit) {
        const char c = g[pos + h];
        if (isWide(c)) {
            inWord = false;
            wordStart = 0;
            if (h == limit - 1)
                break; // a two-byte character would straddle the limit
            h += 2;
        } else if (c == '\r' && pos + h + 1 < g.size() && g[pos + h + 1] == '\n') {
            return h + 2; // the text breaks here itself; no rule may move that break
        } else if (c == ' ') {
            inWord = false;
            wordStart = 0;
            h += 1;
        } else {
            if (!inWord)
                wordStart = h;
            inWord = true;
            h += 1;
        }
    }
    if (h >= limit) {
        h = limit;
        if (wordStart != 0 && !isWide(g[pos + limit]))
            h = wordStart;
    }
    const long scanned = h;
    if (markAt(g, long(pos) + h - 2, openingMarks()))
        h -= 2;
    else if (markAt(g, long(pos) + h, closingMarks()))
        h -= (h >= 1 && isWide(g[pos + h - 1])) ? 2 : 1;
    return h > 0 ? h : scanned;
}

} // namespace

std::string wrapText(const std::string& utf8, int limit) {
    const GbkView view(utf8);
    const std::string& g = view.bytes();
    const long n = limit < 0 ? 0 : limit;
    std::string out;
    size_t pos = 0;
    size_t utf8Pos = 0;
    while (long(g.size() - pos) > n) {
        size_t cut = view.charStart(pos + lineEnd(g, pos, n));
        if (cut <= pos)
            cut = view.charEnd(pos); // at least one character per line
        const size_t utf8Cut = view.utf8Offset(cut);
        out += utf8.substr(utf8Pos, utf8Cut - utf8Pos);
        if (!(cut - pos >= 2 && g[cut - 2] == '\r' && g[cut - 1] == '\n'))
            out += "\r\n";
        pos = cut;
        utf8Pos = utf8Cut;
    }
    return out + utf8.substr(utf8Pos);
}
