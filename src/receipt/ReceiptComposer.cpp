#include "receipt/ReceiptComposer.h"

#include "printer/GbkText.h"
#include "receipt/ReceiptCanvas.h"
#include "receipt/ReceiptOrder.h"
#include "receipt/ReceiptPictures.h"
#include "receipt/TextWrap.h"
#include "storage/values/Values.h"

#include <vector>

namespace {

constexpr LineStyle plainStyle{9, false};

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> pieces;
    size_t start = 0;
    while (start < text.size()) {
        const size_t at = text.find("\r\n", start);
        if (at == std::string::npos) {
            pieces.push_back(text.substr(start));
            break;
        }
        pieces.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    return pieces;
}

bool isNonZero(const std::string& number) {
    return Values::textToNumber(number) != 0;
}

} // namespace

ReceiptComposer::ReceiptComposer(ReceiptCanvas& canvas, int paperWidth, int& y)
    : m_canvas(canvas), m_width(paperWidth), m_y(y) {}

void ReceiptComposer::drawLine(const std::string& text) {
    m_canvas.drawText(0, m_y, text);
    m_y += m_canvas.textHeight(text) + lineGap;
}

namespace {

// Wraps `t` in fill characters while the result stays narrower than the
// paper. A fill the font draws with no width would never reach the edge,
// so filling also stops when the text no longer grows.
std::string fillTo(ReceiptCanvas& canvas, int paperWidth, std::string t, const std::string& left,
                   const std::string& right) {
    int width = canvas.textWidth(t);
    for (;;) {
        const std::string b = left + t + right;
        const int wider = canvas.textWidth(b);
        if (wider >= paperWidth || wider <= width)
            return t;
        t = b;
        width = wider;
    }
}

} // namespace

void ReceiptComposer::drawCentered(const std::string& text, const std::string& pad,
                                   LineStyle style) {
    m_canvas.setFont(style.size, style.bold);
    drawLine(pad.empty() ? text : fillTo(m_canvas, m_width, text, pad, pad));
}

void ReceiptComposer::drawRightAligned(const std::string& text, LineStyle style) {
    m_canvas.setFont(style.size, style.bold);
    drawLine(fillTo(m_canvas, m_width, text, " ", ""));
}

void ReceiptComposer::drawWrapped(const std::string& text, LineStyle style,
                                  const std::string& pad) {
    m_canvas.setFont(style.size, style.bold);
    const int byteWidth = m_canvas.textWidth("d");
    const int capacity = byteWidth > 0 ? m_width / byteWidth : m_width;
    const std::vector<std::string> pieces = splitLines(wrapText(text, capacity));
    if (pieces.empty())
        return;
    if (pieces.size() == 1 && !pad.empty()) {
        drawCentered(pieces.front(), pad, style);
        return;
    }
    const int advance = m_canvas.textHeight(pieces.front()) + lineGap;
    for (const std::string& piece : pieces) {
        m_canvas.drawText(0, m_y, piece);
        m_y += advance;
    }
}

void ReceiptComposer::drawPicture(const ReceiptPicture& picture) {
    if (!picture.present())
        return;
    const int x = picture.width < m_width ? (m_width - picture.width) / 2 : 0;
    m_canvas.drawPicture(*picture.image, x, m_y, picture.width, picture.height);
    m_y += picture.height;
}

void ReceiptComposer::drawSeparator() {
    drawCentered("-------------", "-", plainStyle);
}

int ReceiptComposer::quarterOfLineInSpaces() {
    const int space = m_canvas.textWidth(" ");
    return (space > 0 ? m_width / space : m_width) / 4;
}

void ReceiptComposer::drawReachingTheEdge(std::string name, const std::string& columns) {
    int width = m_canvas.textWidth(name + columns + " ");
    while (width < m_width - 2) {
        const int wider = m_canvas.textWidth(name + " " + columns + " ");
        if (wider <= width)
            break;
        name += " ";
        width = wider;
    }
    drawLine(name + columns);
}

void ReceiptComposer::drawColumnHeadings(LineStyle style) {
    m_canvas.setFont(style.size, style.bold);
    const int pad = quarterOfLineInSpaces() - GbkText::length("数量");
    const std::string spaces(pad > 0 ? pad : 0, ' ');
    const std::string columns = spaces + "数量" + spaces + "小计";
    drawReachingTheEdge("菜名", columns);
}

void ReceiptComposer::drawDish(const ReceiptDish& dish, LineStyle style) {
    m_canvas.setFont(style.size, style.bold);
    const int space = m_canvas.textWidth(" ");
    const int capacity = space > 0 ? (m_width - 3) / space : m_width - 3;
    const int column = capacity / 4;
    const std::string columns =
        GbkText::padLeft(cellText(dish.quantity) + cellText(dish.unit), column) +
        GbkText::padLeft(cellText(dish.subtotal), column);
    std::string name = cellText(dish.name);
    if (GbkText::length(name + columns + " ") > capacity) {
        drawLine(name);
        name.clear();
    }
    const int fill = capacity - GbkText::length(name + columns);
    if (fill > 0)
        name += std::string(fill, ' ');
    drawLine(name + columns);
}

void ReceiptComposer::drawDiscount(const ReceiptOrder& order, LineStyle title, LineStyle detail) {
    if (order.discountName.empty() || !isNonZero(order.discountAmount))
        return;
    drawCentered("减免", "-", title);
    m_canvas.setFont(detail.size, detail.bold);
    const int column = quarterOfLineInSpaces();
    const std::string count = isNonZero(order.discountCount) ? order.discountCount + "份" : "";
    const std::string columns =
        GbkText::padLeft(count, column) + GbkText::padLeft(order.discountAmount, column);
    std::string name = order.discountName;
    if (m_canvas.textWidth(name + columns + " ") > m_width - 2) {
        drawLine(name);
        name.clear();
    }
    drawReachingTheEdge(name, columns);
}

void ReceiptComposer::drawCustomer(const ReceiptOrder& order, LineStyle style) {
    const std::string name = Values::trim(order.customerName);
    const std::string phone = Values::trim(order.customerPhone);
    drawWrapped(name.empty() ? phone : name + "  " + phone, style, "");
    drawWrapped(order.address, style, "");
}

void ReceiptComposer::drawRemark(const std::string& remark, LineStyle style) {
    // The line of one space leaves a blank line above the remark.
    drawWrapped(remark.empty() ? remark : " \r\n" + remark, style, "");
}

std::string receiptTitle(const ReceiptOrder& order) {
    std::string title = " #" + order.number + " ";
    if (!order.header.empty())
        title += order.header + " ";
    return title;
}

std::string cellText(const std::string& cell) {
    return cell == "假" ? std::string() : cell;
}

void composeReceipt(const ReceiptSettings& settings, const ReceiptOrder& order,
                    ReceiptCanvas& canvas, int& y, const ReceiptPicture& credit) {
    const auto& L = settings.lineStyles;
    ReceiptComposer c(canvas, settings.paperWidth, y);
    const std::string title = receiptTitle(order);
    c.drawCentered(title, "*", L[0]);
    c.drawCentered(order.shop, " ", L[1]);
    for (const ExtraInfo& extra : settings.extraInfo)
        if (extra.enabled)
            c.drawWrapped(extra.text, {9, L[1].bold}, " ");
    c.drawCentered("     ", " ", L[1]);
    c.drawCentered(order.paymentMethod + "订单 ", "-", L[2]);
    c.drawWrapped("[下单时间] " + order.orderTime, L[3], "");
    c.drawSeparator();
    c.drawColumnHeadings(L[4]);
    c.drawSeparator();
    for (const ReceiptDish& dish : order.dishes)
        if (!cellText(dish.name).empty())
            c.drawDish(dish, L[5]);
    c.drawSeparator();
    c.drawRightAligned("合计 ￥" + order.total + " ", L[6]);
    c.drawDiscount(order, L[7], L[8]);
    if (!order.rounding.empty())
        c.drawRightAligned("抹零 ￥" + order.rounding + " ", L[8]);
    c.drawSeparator();
    c.drawRightAligned("已支付 ￥" + order.paid + " ", L[9]);
    c.drawSeparator();
    c.drawWrapped(order.table, L[10], "");
    c.drawCustomer(order, L[10]);
    c.drawRemark(order.remark, L[10]);
    c.drawCentered("     ", " ", L[1]);
    c.drawPicture(credit);
    c.drawCentered(title, "*", L[0]);
}

void composeCopy(const ReceiptSettings& settings, const ReceiptOrder& order, ReceiptCanvas& canvas,
                 int& y, const ReceiptPictures& pictures, bool withPictures) {
    ReceiptComposer composer(canvas, settings.paperWidth, y);
    if (withPictures)
        composer.drawPicture(pictures.top());
    composeReceipt(settings, order, canvas, y, pictures.credit());
    if (withPictures)
        composer.drawPicture(pictures.bottom());
}
