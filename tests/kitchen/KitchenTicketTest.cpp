#include "kitchen/KitchenTicket.h"

#include "printer/EscPosJob.h"
#include "receipt/EscPosCanvas.h"
#include "support/EscPosReader.h"

#include <gtest/gtest.h>

namespace {

using Kind = KitchenTicket::Kind;

const KitchenOrder order{7, "12", "号牌 3", "少辣", {}};

KitchenLine line(const std::string& station, const std::string& dish, int quantity) {
    return {station, dish, quantity, "份"};
}

// Each ticket as "station kind: dish before→after, ...".
std::vector<std::string> summary(const std::vector<KitchenTicket>& tickets) {
    std::vector<std::string> out;
    for (const KitchenTicket& t : tickets) {
        std::string text = t.station + (t.kind == Kind::Order    ? " 出单:"
                                        : t.kind == Kind::Change ? " 改单:"
                                                                 : " 补打:");
        for (const auto& item : t.items)
            text += " " + item.dish + " " + std::to_string(item.before) + "→" +
                    std::to_string(item.after);
        out.push_back(text);
    }
    return out;
}

TEST(KitchenTicket, EachStationGetsOnlyWhatChangedSinceItWasSent) {
    const std::vector<KitchenLine> sent = {line("厨房", "白菜肉水饺", 2),
                                           line("吧台", "王老吉", 1)};
    struct Case {
        const char* what;
        std::vector<KitchenLine> sent, due;
        std::vector<std::string> tickets;
    } cases[] = {
        {"first time: every station its whole part",
         {},
         sent,
         {"厨房 出单: 白菜肉水饺 0→2", "吧台 出单: 王老吉 0→1"}},
        {"nothing changed: nothing again", sent, sent, {}},
        {"a dish added reaches only its station",
         sent,
         {line("厨房", "白菜肉水饺", 2), line("吧台", "王老吉", 1), line("厨房", "酸菜鱼", 1)},
         {"厨房 改单: 酸菜鱼 0→1"}},
        {"a dish taken off", sent, {line("吧台", "王老吉", 1)}, {"厨房 改单: 白菜肉水饺 2→0"}},
        {"a quantity changed",
         sent,
         {line("厨房", "白菜肉水饺", 3), line("吧台", "王老吉", 1)},
         {"厨房 改单: 白菜肉水饺 2→3"}},
        {"two lines of one dish count together",
         sent,
         {line("厨房", "白菜肉水饺", 1), line("吧台", "王老吉", 1), line("厨房", "白菜肉水饺", 1)},
         {}},
        {"a station new to the order gets its whole part",
         {line("厨房", "白菜肉水饺", 2)},
         {line("厨房", "白菜肉水饺", 2), line("凉菜", "拍黄瓜", 1)},
         {"凉菜 出单: 拍黄瓜 0→1"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(summary(KitchenTicket::between(order, c.sent, c.due, "2026-12-08 12:00")),
                  c.tickets)
            << c.what;
    EXPECT_EQ(summary(KitchenTicket::reprint(order, sent, "2026-12-08 12:00")),
              (std::vector<std::string>{"厨房 补打: 白菜肉水饺 0→2", "吧台 补打: 王老吉 0→1"}));
}

// The text lines a printer prints for the ticket, with their magnification.
std::vector<EscPosReader::Event> printed(const KitchenTicket& ticket, int paperDots) {
    EscPosJob job;
    job.initialise();
    EscPosCanvas canvas(job, paperDots);
    int y = 0;
    ticket.compose(canvas, paperDots, y);
    return EscPosReader(job.bytes()).all(EscPosReader::Kind::Line);
}

bool hasLine(const std::vector<EscPosReader::Event>& lines, const std::string& text,
             int widthTimes) {
    for (const auto& line : lines)
        if (line.text.find(text) != std::string::npos)
            return line.widthTimes == widthTimes;
    return false;
}

TEST(KitchenTicket, PrintsDishesTableAndRemarkLargeAndMarksEveryChange) {
    const auto changed = KitchenTicket::between(
        order, {line("厨房", "白菜肉水饺", 2), line("厨房", "酸菜鱼", 1)},
        {line("厨房", "白菜肉水饺", 3), line("厨房", "红烧鱼块", 1)}, "2026-12-08 12:00");
    ASSERT_EQ(changed.size(), 1u);
    for (int dots : {384, 576}) {
        const auto lines = printed(changed[0], dots);
        EXPECT_TRUE(hasLine(lines, "厨房", 2));
        EXPECT_TRUE(hasLine(lines, "改单", 2));
        EXPECT_TRUE(hasLine(lines, "单号：12", 2));
        EXPECT_TRUE(hasLine(lines, "桌号：号牌 3", 2));
        EXPECT_TRUE(hasLine(lines, "时间：2026-12-08 12:00", 1));
        EXPECT_TRUE(hasLine(lines, dots == 576 ? "【改】白菜肉水饺 2→3份" : "【改】白菜肉", 2));
        EXPECT_TRUE(hasLine(lines, "【加】红烧鱼块", 2));
        EXPECT_TRUE(hasLine(lines, "【退】酸菜鱼 1份", 2));
        EXPECT_TRUE(hasLine(lines, "备注：少辣", 2));
        for (const auto& line : lines)
            for (const char* money : {"￥", "元", "合计", "实付", "价"})
                EXPECT_EQ(line.text.find(money), std::string::npos) << line.text;
    }
    EXPECT_EQ(changed[0].text(), "厨房 改单\n单号：12\n桌号：号牌 3\n【改】白菜肉水饺 2→3份\n"
                                 "【加】红烧鱼块 1份\n【退】酸菜鱼 1份\n备注：少辣");
}

} // namespace
