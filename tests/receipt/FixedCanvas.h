#pragma once
#include "printer/GbkText.h"
#include "receipt/ReceiptCanvas.h"

#include <string>
#include <vector>

// A canvas with fixed metrics: every GBK byte is `byteWidth` wide and a
// line is twice the font size tall. It records what is drawn.
class FixedCanvas : public ReceiptCanvas {
  public:
    struct Item {
        int x, y;
        std::string text; // empty for a picture
        int size;
        bool bold;
        int width = 0, height = 0;
    };

    explicit FixedCanvas(int byteWidth = 18) : m_byteWidth(byteWidth) {}

    void setFont(int size, bool bold) override {
        m_size = size;
        m_bold = bold;
    }
    int textWidth(const std::string& text) override { return GbkText::length(text) * m_byteWidth; }
    int textHeight(const std::string&) override { return m_size * 2; }
    void drawText(int x, int y, const std::string& text) override {
        items.push_back({x, y, text, m_size, m_bold});
    }
    void drawPicture(const PngImage&, int x, int y, int width, int height) override {
        items.push_back({x, y, "", 0, false, width, height});
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const Item& item : items)
            out.push_back(item.text);
        return out;
    }

    std::vector<Item> items;

  private:
    int m_byteWidth;
    int m_size = 0;
    bool m_bold = false;
};
