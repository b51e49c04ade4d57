#pragma once
#include <string>
#include <vector>

struct MonoBitmap;

// The bytes of one print job for an ESC/POS thermal printer. Text is
// printed in the printer's own Chinese font, so every character becomes one
// byte (ASCII) or two (GB18030); a character the printer's font lacks prints
// as "？", which keeps its two columns, and a control character as "?".
class EscPosJob {
  public:
    // Every printer's own grid: 12 dots per ASCII character, 24 per hanzi.
    static constexpr int asciiDots = 12;
    static constexpr int lineDots = 24;
    // Pictures go out in slices of this many rows, which every printer's
    // receive buffer holds.
    static constexpr int bandRows = 128;

    EscPosJob();

    // ESC @, then FS & so that two-byte text prints as hanzi.
    void initialise();
    void setAlignment(int alignment); // ESC a: 0 left, 1 centre, 2 right
    void setBold(bool bold);          // ESC E
    // GS !: both magnifications 1..8.
    void setCharacterSize(int widthTimes, int heightTimes);
    void setLineSpacing(int dots); // ESC 3
    // The UTF-8 text and a line feed.
    void printLine(const std::string& utf8);
    void feedLines(int lines); // ESC d
    // GS v 0, in bands of bandRows rows.
    void printRaster(const MonoBitmap& bitmap);
    // GS V 66: feeds the last line past the cutter, then cuts.
    void cut();
    // ESC p 0: a pulse on the drawer kick-out connector, pin 2.
    void openDrawer();

    const std::vector<unsigned char>& bytes() const { return m_bytes; }

    // GB18030 text as the printer's font prints it, without a control character.
    static std::string printerText(const std::string& utf8);

  private:
    void put(std::initializer_list<unsigned char> bytes);

    std::vector<unsigned char> m_bytes;
};
