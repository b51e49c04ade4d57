#pragma once
#include <cstdint>
#include <iconv.h>
#include <string>
#include <vector>

// Reads back what a thermal printer was sent, as the printer would: text
// lines decoded from GB18030 with the character size and weight they print
// in, pictures (consecutive GS v 0 bands make one), cuts and drawer pulses.
// A command it does not know stops the reading and is kept in `unknown`.
class EscPosReader {
  public:
    enum class Kind { Line, Raster, Cut, Drawer, Feed };
    struct Event {
        Kind kind;
        std::string text; // Line: UTF-8
        int widthTimes = 1, heightTimes = 1;
        bool bold = false;
        int width = 0, height = 0, bands = 0; // Raster, in dots
        std::vector<std::uint8_t> bits;       // Raster rows, as sent
    };

    explicit EscPosReader(const std::vector<unsigned char>& bytes) : m_b(bytes) { read(); }

    std::vector<Event> events;
    std::string unknown;

    std::vector<Event> all(Kind kind) const {
        std::vector<Event> out;
        for (const Event& e : events)
            if (e.kind == kind)
                out.push_back(e);
        return out;
    }
    int count(Kind kind) const { return int(all(kind).size()); }
    // The events between the cuts: one entry per copy.
    std::vector<std::vector<Event>> copies() const {
        std::vector<std::vector<Event>> out(1);
        for (const Event& e : events) {
            out.back().push_back(e);
            if (e.kind == Kind::Cut)
                out.emplace_back();
        }
        if (out.back().empty())
            out.pop_back();
        return out;
    }
    static std::string toUtf8(const std::string& gb18030) {
        iconv_t cd = iconv_open("UTF-8", "GB18030");
        std::string out(gb18030.size() * 2 + 4, '\0');
        char* in = const_cast<char*>(gb18030.data());
        char* o = out.data();
        size_t inLeft = gb18030.size(), outLeft = out.size();
        iconv(cd, &in, &inLeft, &o, &outLeft);
        iconv_close(cd);
        out.resize(out.size() - outLeft);
        return out;
    }

  private:
    int at(size_t i) const { return i < m_b.size() ? m_b[i] : -1; }

    void read() {
        std::string text;
        size_t i = 0;
        while (i < m_b.size()) {
            const int c = m_b[i], n1 = at(i + 1), n2 = at(i + 2);
            if (c == 0x0A) {
                events.push_back({Kind::Line, toUtf8(text), m_width, m_height, m_bold});
                text.clear();
                ++i;
            } else if (c >= 0x20) {
                text += char(c);
                ++i;
            } else if (c == 0x1B && n1 == '@') {
                m_width = m_height = 1;
                m_bold = false;
                i += 2;
            } else if (c == 0x1C && n1 == '&') {
                i += 2;
            } else if (c == 0x1B && (n1 == 'a' || n1 == '3') && n2 >= 0) {
                i += 3;
            } else if (c == 0x1B && n1 == 'E' && n2 >= 0) {
                m_bold = n2 & 1;
                i += 3;
            } else if (c == 0x1D && n1 == '!' && n2 >= 0) {
                m_width = (n2 >> 4) + 1;
                m_height = (n2 & 15) + 1;
                i += 3;
            } else if (c == 0x1B && n1 == 'd' && n2 >= 0) {
                events.push_back({Kind::Feed});
                i += 3;
            } else if (c == 0x10 && n1 == 0x04 && n2 >= 0) {
                i += 3; // a status query
            } else if (c == 0x1D && n1 == 'V' && (n2 == 65 || n2 == 66)) {
                events.push_back({Kind::Cut});
                i += 4;
            } else if (c == 0x1D && n1 == 'V' && n2 >= 0) {
                events.push_back({Kind::Cut});
                i += 3;
            } else if (c == 0x1B && n1 == 'p' && at(i + 4) >= 0) {
                events.push_back({Kind::Drawer});
                i += 5;
            } else if (c == 0x1D && n1 == 'v' && n2 == '0' && at(i + 7) >= 0) {
                i = raster(i);
            } else {
                unknown = "byte " + std::to_string(c) + " at " + std::to_string(i);
                return;
            }
        }
    }

    size_t raster(size_t i) {
        const int rowBytes = at(i + 4) | at(i + 5) << 8;
        const int rows = at(i + 6) | at(i + 7) << 8;
        const size_t data = i + 8, size = size_t(rowBytes) * size_t(rows);
        const bool continues = !events.empty() && events.back().kind == Kind::Raster &&
                               events.back().width == rowBytes * 8 && m_lastRasterEnd == i;
        if (!continues)
            events.push_back({Kind::Raster});
        Event& e = events.back();
        e.width = rowBytes * 8;
        e.height += rows;
        ++e.bands;
        e.bits.insert(e.bits.end(), m_b.begin() + long(std::min(data, m_b.size())),
                      m_b.begin() + long(std::min(data + size, m_b.size())));
        m_lastRasterEnd = data + size;
        return data + size;
    }

    const std::vector<unsigned char> m_b;
    int m_width = 1, m_height = 1;
    bool m_bold = false;
    size_t m_lastRasterEnd = 0;
};
