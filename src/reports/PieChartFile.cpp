#include "reports/PieChartFile.h"

#include "reports/ChartFiles.h"
#include "reports/ChartText.h"

namespace {

struct PieElement {
    const char* tag;
    const char* first; // content in the first pie
    const char* second;
    const char* firstComment;
    const char* secondComment;
};

// Element contents are fixed values or slots; "#" in a slot is the pie's number.
const PieElement pieElements[] = {
    {"pie_mcname", "amu", "kiss", "pie名：字符串", "pie名：字符串"},
    {"pie_depth", "1", "2", "pie深度：整数", "pie深度"},
    {"pie_title", "标题#", "标题#",
     "标题：字符串。格式：标题(字符串),x坐标(数字),y坐标(数字),文字大小(数字),是否粗体(true是/"
     "false否),颜色（十六进制）",
     "标题"},
    {"pie_action", "onRelease,onRollOver,onRollOut", "onRelease,onRollOver,onRollOut",
     "竖向列标支持动作:onRelease,onRollOver,onRollOut,none，任选或除none之外的全部/部份用“,”隔开",
     "竖向列标支持动作:onRelease,onRollOver,onRollOut,none"},
    {"pie_num", "表#数值", "表#数值", "数值：数字。每一个项目数据用“,”隔开", "数值"},
    {"pie_name", "表#文本", "表#文本", "名称：字符串。每一个项目名称用“,”隔开", "名称"},
    {"pie_color", "表#颜色", "表#颜色", "颜色：字符串（十六进制颜色名）。每一个项目颜色用“,”隔开",
     "颜色"},
    {"pie_showtitle", "表#是否显示名称与数值", "表#是否显示名称与数值",
     "是否显示名称与数值：true显示/false不显示。每一个项目(饼上)是否显示用“,”隔开",
     "是否显示名称与数值"},
    {"pie_defaultsate", "表#扇区是否打开", "表#扇区是否打开",
     "默认pie位置是否打开：true打开/false不打开。默认当前一个项目是否为打开状态用“,”隔开",
     "默认pie位置是否打开"},
    {"pie_dark", "1.43", "1.43", "深色系数：立体色深色深度（在大小1的一个数字默认为1.43）",
     "深色系数"},
    {"pie_x0", "表#左边", "表#左边", "圆心x坐标：数字", "圆心x坐标"},
    {"pie_y0", "表#顶边", "表#顶边", "圆心y坐标：数字", "圆心y坐标"},
    {"pie_z", "表#直径", "表#直径", "长轴：数字", "长轴"},
    {"pie_d", "表#竖轴", "表#竖轴", "短轴：数字", "短轴"},
    {"pie_w", "表#环宽", "表#环宽", "环宽：数字", "环宽"},
    {"pie_h", "表#高", "表#高", "高：数字", "高"},
    {"pie_move", "15", "15", "移动距离：打开一个饼图的一块之后移动的距离（数字）", "移动距离"},
    {"pie_clickalpha", "100", "100", "点击之后的pie透明度：数字（0-100）", "点击之后的pie透明度"},
    {"pie_defaultalpha", "50", "50", "默认pie的透明度：数字（0-100）", "默认透明度"},
    {"pie_showorder", "false", "true", "是否显示竖向列标：true（显示）或false（不显示）",
     "是否显示竖向列标"},
    {"pie_orderx", "列标#左边", "列标#左边", "竖向列标x坐标：数字", "竖向列标x坐标"},
    {"pie_ordery", "列标#顶边", "列标#顶边", "竖向列标y坐标：数字", "竖向列标y坐标"},
    {"pie_orderxy", "6", "6", "竖向列标间隔：数字", "竖向列标间隔"},
    {"pie_orderfontcolor", "竖向文字颜色", "竖向文字颜色", "竖向扇区文字颜色：颜色（十六进制）",
     "竖向扇区文字颜色"},
    {"pie_linecolor", "扇区文字颜色", "扇区文字颜色", "指示线颜色：颜色（十六进制）", "指示线颜色"},
    {"pie_linealpha", "100", "100", "指示线透明度：（0-100）", "指示线透明度"},
    {"pie_linewidth", "表#线长度", "表#线长度", "指示线长度：数字", "指示线长度"},
    {"pie_fontcolor", "扇区文字颜色", "扇区文字颜色", "文字颜色：颜色（十六进制）", "文字颜色"},
};
const char* const percentTag = "pie_percentshow";
const char* const percentSlot = "表#显示百分数值等";
const char* const percentComments[] = {
    "是否显示百分数值等（all都显示,num只显示数字,font只显示文字,none不显示）",
    "是否显示百分数值等（all,num,font,none）"};

std::string numbered(const char* text, int pie) {
    std::string result = text;
    ChartText::fillSlot(result, "#", std::to_string(pie));
    return result;
}

std::string element(const std::string& tag, const std::string& content) {
    return "\t\t<" + tag + ">" + content + "</" + tag + ">\r\n";
}

std::string pieBlock(int pie) {
    std::string block = "\t<pie>\r\n";
    for (const auto& e : pieElements) {
        block +=
            "\t\t<!-- " + std::string(pie == 1 ? e.firstComment : e.secondComment) + " -->\r\n";
        block += element(e.tag, numbered(pie == 1 ? e.first : e.second, pie));
    }
    block += "\t\t<!--" + std::string(percentComments[pie - 1]) + "-->\r\n";
    block += element(percentTag, numbered(percentSlot, pie));
    return block + "\t</pie>\r\n";
}

std::string pieTemplate() {
    return std::string(ChartText::byteOrderMark) +
           "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
           "<!-- bocolor为背景色（十六进制），bgimg为背景图片地址（没用就用none） -->\r\n"
           "<drawpie bgcolor=\"背景颜色\" bgimg=\"none\">\r\n" +
           pieBlock(1) + pieBlock(2) + "</drawpie>";
}

template <typename T, typename F> std::string joined(const std::vector<T>& items, F toText) {
    std::vector<std::string> texts;
    for (const auto& item : items)
        texts.push_back(toText(item));
    return ChartText::join(texts);
}

void fillPie(std::string& text, int number, const PieChart& pie) {
    using ChartText::fillSlot;
    using std::to_string;
    const std::string n = to_string(number);
    const std::string title = pie.title + "," + to_string(pie.titleX) + "," +
                              to_string(pie.titleY) + "," + to_string(pie.titleSize) + "," +
                              ChartText::logical(pie.titleBold) + "," + colorToHex(pie.titleColor);
    fillSlot(text, "标题" + n, title);
    fillSlot(text, "表" + n + "数值", joined(pie.values, [](long long v) { return to_string(v); }));
    fillSlot(text, "表" + n + "文本", ChartText::join(pie.names));
    fillSlot(text, "表" + n + "颜色", joined(pie.colors, colorToHex));
    fillSlot(text, "表" + n + "是否显示名称与数值", joined(pie.showNames, ChartText::logical));
    fillSlot(text, "表" + n + "扇区是否打开", joined(pie.openSlices, ChartText::logical));
    fillSlot(text, "表" + n + "左边", to_string(pie.centerX));
    fillSlot(text, "表" + n + "顶边", to_string(pie.centerY));
    fillSlot(text, "表" + n + "直径", to_string(pie.majorAxis));
    fillSlot(text, "表" + n + "竖轴", to_string(pie.minorAxis));
    fillSlot(text, "表" + n + "环宽", to_string(pie.ringWidth));
    fillSlot(text, "表" + n + "高", to_string(pie.height));
    fillSlot(text, "列标" + n + "左边", to_string(pie.legendX));
    fillSlot(text, "列标" + n + "顶边", to_string(pie.legendY));
    const bool known =
        pie.percentMode == "all" || pie.percentMode == "num" || pie.percentMode == "font";
    fillSlot(text, "表" + n + "显示百分数值等", known ? pie.percentMode : "none");
    fillSlot(text, "表" + n + "线长度", known ? "20" : "0");
}

} // namespace

namespace PieChartFile {

std::string text(std::optional<std::uint32_t> background, std::uint32_t sliceTextColor,
                 std::uint32_t legendTextColor, const PieChart& first, const PieChart& second) {
    std::string text = pieTemplate();
    ChartText::fillSlot(text, "背景颜色", background ? colorToHex(*background) : "0x333333");
    ChartText::fillSlot(text, "扇区文字颜色", colorToHex(sliceTextColor));
    ChartText::fillSlot(text, "竖向文字颜色", colorToHex(legendTextColor));
    fillPie(text, 1, first);
    fillPie(text, 2, second);
    return text;
}

} // namespace PieChartFile

void writePieChartFile(std::optional<std::uint32_t> background, std::uint32_t sliceTextColor,
                       std::uint32_t legendTextColor, const PieChart& first, const PieChart& second) {
    ChartText::writeFile(
        ChartFiles::pieChartPath(),
        PieChartFile::text(background, sliceTextColor, legendTextColor, first, second));
}
