#include "receipt/ThermalReceipt.h"

#include "receipt/EscPosCanvas.h"
#include "printer/EscPosJob.h"
#include "receipt/PrinterSettings.h"
#include "receipt/ReceiptCanvas.h"
#include "receipt/ReceiptComposer.h"

#include <algorithm>

namespace {

// The layout's line gap on top of the printer's 24-dot font.
constexpr int lineSpacingDots = EscPosJob::lineDots + ReceiptComposer::lineGap;
// Without a cutter the last line still has to clear the tear-off edge.
constexpr int tearOffFeedLines = 4;
constexpr LineStyle plain{9, false};

} // namespace

namespace ThermalReceipt {

int paperDots(int receiptType) {
    return receiptType == 0 ? 384 : 576;
}

bool opensDrawer(const PrinterSettings& printer, bool settling, const std::string& paymentMethod) {
    // A drawer that opens on a reprint, or for money that never enters it,
    // is how money goes missing.
    return settling && printer.openDrawer && paymentMethod == "现金支付";
}

std::vector<unsigned char> build(const PrinterSettings& printer, int copies, bool drawer,
                                 const DrawCopy& drawCopy) {
    EscPosJob job;
    job.initialise();
    job.setLineSpacing(lineSpacingDots);
    for (int n = 1; n <= std::max(1, copies); ++n) {
        drawCopy(job, n == 1);
        if (printer.cutAfterCopy)
            job.cut();
        else
            job.feedLines(tearOffFeedLines);
        if (n == 1 && drawer)
            job.openDrawer();
    }
    return job.bytes();
}

void printText(EscPosJob& job, int paperDots, const Compose& compose) {
    EscPosCanvas canvas(job, paperDots);
    int y = 0;
    compose(canvas, y);
}

void composeTestPage(ReceiptCanvas& canvas, int paperWidth, const std::string& connection,
                     int receiptType, int& y) {
    ReceiptComposer c(canvas, paperWidth, y);
    c.drawCentered(" 打印测试页 ", "*", plain);
    c.drawWrapped("连接：" + connection, plain, "");
    c.drawWrapped(std::string("纸宽：") + (receiptType == 0 ? "58" : "80") + "毫米", plain, "");
    c.drawSeparator();
    canvas.setFont(plain.size, plain.bold);
    const int digits = paperWidth / std::max(1, canvas.textWidth("0"));
    std::string ruler;
    for (int i = 1; i <= digits; ++i)
        ruler += char('0' + i % 10);
    c.drawWrapped(ruler, plain, "");
    c.drawWrapped("中文：白云快餐 欢迎光临 ￥12.50", plain, "");
    c.drawSeparator();
}

} // namespace ThermalReceipt
