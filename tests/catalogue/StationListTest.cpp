#include "catalogue/StationList.h"

#include <gtest/gtest.h>

namespace {

TEST(StationList, FieldsMakeAStationOrSayWhyNot) {
    struct Case {
        const char *name, *connection, *mode, *copies, *paper;
        const char* refusal; // a part of it; empty: accepted
        const char* stored = "";
    } cases[] = {
        {" 厨房 ", "192.168.1.50", "文字", "2", "58", "", "tcp:192.168.1.50:9100"},
        {"凉菜", "/dev/usb/lp0", "图像", "1", "80", "", "dev:/dev/usb/lp0"},
        {"吧台", "cups:吧台", "图像", "1", "80", "", "cups:吧台"},
        {"　", "tcp:10.0.0.2:9100", "文字", "1", "80", "名称不能为空"},
        {"厨房", "", "文字", "1", "80", "请填写打印机连接"},
        {"厨房", "tcp:", "文字", "1", "80", "无法识别"},
        {"厨房", "tcp:10.0.0.2:9100", "彩色", "1", "80", "打印模式"},
        {"厨房", "tcp:10.0.0.2:9100", "文字", "0", "80", "份数"},
        {"厨房", "tcp:10.0.0.2:9100", "文字", "10", "80", "份数"},
        {"厨房", "tcp:10.0.0.2:9100", "文字", "1x", "80", "份数"},
        {"厨房", "tcp:10.0.0.2:9100", "文字", "1", "76", "纸宽"},
        {"厨\x1bp房", "tcp:10.0.0.2:9100", "文字", "1", "80", "名称"},
        {"一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四"
         "五六七八九十一",
         "tcp:10.0.0.2:9100", "文字", "1", "80", "名称不能超过50个字"},
    };
    for (const Case& c : cases) {
        const auto input = StationList::fromFields(c.name, c.connection, c.mode, c.copies, c.paper);
        if (std::string(c.refusal).empty()) {
            EXPECT_EQ(input.refusal, "") << c.name;
            EXPECT_EQ(input.station.connection, c.stored) << c.name;
            EXPECT_EQ(StationList::fromRow(StationList::toRow(input.station)), input.station);
        } else {
            EXPECT_NE(input.refusal.find(c.refusal), std::string::npos)
                << c.name << ": " << input.refusal;
        }
    }
}

} // namespace
