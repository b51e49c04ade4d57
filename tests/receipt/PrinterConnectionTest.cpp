#include "printer/PrinterConnection.h"
#include "receipt/EscPosCanvas.h"
#include "printer/EscPosJob.h"
#include "printer/FdPort.h"

#include <gtest/gtest.h>

namespace {

TEST(PrinterConnectionTest, TypedTextBecomesTheStoredForm) {
    const struct {
        const char* typed;
        const char* stored; // empty: refused
    } cases[] = {
        {"tcp:192.168.1.50:9100", "tcp:192.168.1.50:9100"},
        {"tcp:192.168.1.50", "tcp:192.168.1.50:9100"},
        {" 192.168.1.50:4000 ", "tcp:192.168.1.50:4000"},
        {"tcp:printer.local", "tcp:printer.local:9100"},
        {"tcp:[fe80::1]:9100", "tcp:[fe80::1]:9100"},
        {"tcp:::1", "tcp:[::1]:9100"},
        {"dev:/dev/usb/lp0", "dev:/dev/usb/lp0"},
        {"/dev/ttyUSB0", "dev:/dev/ttyUSB0"},
        {"cups:厨房", "cups:厨房"},
        {"tcp:192.168.1.50:", ""},
        {"tcp:192.168.1.50:70000", ""},
        {"tcp:192.168.1.50:91a", ""},
        {"tcp:", ""},
        {"dev:usb/lp0", ""},
        {"cups:", ""},
        {"cups:a/b", ""},
        {"厨房打印机", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        const auto parsed = PrinterConnection::parse(c.typed);
        EXPECT_EQ(parsed ? parsed->text() : "", c.stored) << c.typed;
    }
}

TEST(PrinterConnectionTest, PrinterStatusNamesWhatIsWrong) {
    const struct {
        std::vector<unsigned char> answers; // to DLE EOT 2, then DLE EOT 4
        const char* says;                   // empty: nothing wrong
    } cases[] = {
        {{}, ""},
        {{0x12, 0x12}, ""},
        {{0x32, 0x12}, "缺纸"},
        {{0x12, 0x72}, "缺纸"},
        {{0x16, 0x12}, "盖子"},
        {{0x52, 0x12}, "故障"},
        {{0xFF, 0xFF}, ""}, // not a status answer
    };
    for (const auto& c : cases) {
        const std::string problem = FdPort::statusProblem(c.answers.data(), c.answers.size());
        EXPECT_NE(problem.find(c.says), std::string::npos) << problem;
        EXPECT_EQ(problem.empty(), std::string(c.says).empty()) << problem;
    }
}

TEST(PrinterConnectionTest, PrinterTextKeepsTheColumnsTheLayoutCounted) {
    EXPECT_EQ(EscPosJob::printerText("合计 ￥12"), "\xBA\xCF\xBC\xC6 \xA3\xA4"
                                                   "12");
    // Beyond the printers' two-byte fonts: still two columns.
    EXPECT_EQ(EscPosJob::printerText("a😀b"), "a\xA3\xBF"
                                             "b");
    // Control characters never reach the printer as commands: one column each.
    EXPECT_EQ(EscPosJob::printerText("a\x1Bp0\t\x1DV\x7F"), "a?p0??V?");
}

TEST(PrinterConnectionTest, LargerSizesPrintTallerBeforeWider) {
    const struct {
        int points, width, height;
    } cases[] = {{0, 1, 1}, {9, 1, 1}, {10, 1, 1}, {12, 1, 2}, {18, 2, 2}, {30, 3, 4}};
    for (const auto& c : cases) {
        EXPECT_EQ(EscPosCanvas::widthTimes(c.points), c.width) << c.points;
        EXPECT_EQ(EscPosCanvas::heightTimes(c.points), c.height) << c.points;
    }
}

} // namespace
