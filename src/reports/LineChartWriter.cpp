#include "reports/LineChartWriter.h"

#include "reports/ChartFiles.h"
#include "reports/ChartText.h"

#include <filesystem>
#include <system_error>

namespace {

const char* const lineChartTemplate =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    "<lineChart>\r\n"
    "\t<config>\r\n"
    "\t\t<chartarea x=\"图表左边\" y=\"图表顶边\" width=\"图表宽度\" height=\"图表高度\" "
    "backColor1=\"斑马线颜色1\" backColor2=\"斑马线颜色2\" xMargin=\"线的左右边距\" "
    "borderColor=\"图表边框颜色\" borderThick=\"2\" borderAlpha=\"1\" />\r\n"
    "\t\t<yaxis tagSize=\"Y轴文字大小\" tagColor=\"Y轴文字颜色\" tagMargin=\"Y轴文字离表距离\" "
    "min=\"Y轴最小值\" max=\"Y轴最大值\" intervals=\"Y轴刻度数量\" decimals=\"1\" />\r\n"
    "\t\t<xaxis tagSize=\"X轴文字大小\" tagColor=\"X轴文字颜色\" tagMargin=\"X轴文字离表距离\" "
    "/>\r\n"
    "\t\t<gridlines thick=\"刻度线粗细\" color=\"刻度线颜色\" alpha=\"0.8\" />\r\n"
    "\t\t<legends visible=\"图例是否可见\" x=\"图例左边\" y=\"图例顶边\" width=\"图例高度\" "
    "square=\"10\" textSize=\"图例文字大小\" textColor=\"图例文字颜色\" backColor=\"图例背景色\" "
    "backAlpha=\"1\" borderColor=\"图表边框颜色\" borderThick=\"1\" borderAlpha=\"1\" "
    "legendBackColor=\"0xf2f2f2\" />\r\n"
    "\t\t<points radius=\"趋势线圆点大小\" />\r\n"
    "\t\t<tooltip size=\"趋势线文字大小\" xmargin=\"2\" ymargin=\"0\" />\r\n"
    "\t\t<animation openTime=\"0.5\" moveTime=\"0.5\" synchronized=\"是否同步画线\" />\r\n"
    "\t</config>\r\n"
    "\t<texts>\r\n"
    "文本内容\r\n"
    "\t</texts>\r\n"
    "\t<series>\r\n"
    "趋势线配置\r\n"
    "\t</series>\r\n"
    "\t<periods>\r\n"
    "纵向刻度配置\r\n"
    "\t\t</periods>\r\n"
    "</lineChart>";

std::string colorOr(const std::optional<std::uint32_t>& color, const char* fallback) {
    return color ? colorToHex(*color) : fallback;
}

} // namespace

void LineChartWriter::setLayout(const LineChartLayout& l) {
    using ChartText::fillSlot;
    using std::to_string;
    m_texts.clear();
    m_series.clear();
    m_document = lineChartTemplate;
    std::string& d = m_document;
    fillSlot(d, "图表左边", to_string(l.chartLeft));
    fillSlot(d, "图表顶边", to_string(l.chartTop));
    fillSlot(d, "图表宽度", to_string(l.chartWidth));
    fillSlot(d, "图表高度", to_string(l.chartHeight));
    fillSlot(d, "斑马线颜色1", colorOr(l.stripeColor1, "0xfafafa"));
    fillSlot(d, "斑马线颜色2", colorOr(l.stripeColor2, "0xf1f1f1"));
    fillSlot(d, "线的左右边距", to_string(l.lineMargin));
    fillSlot(d, "图表边框颜色", colorOr(l.borderColor, "0xbdbdbd"));
    fillSlot(d, "Y轴文字大小", to_string(l.axisTextSize));
    fillSlot(d, "X轴文字大小", to_string(l.axisTextSize));
    fillSlot(d, "Y轴文字颜色", colorOr(l.axisTextColor, "0x587b8c"));
    fillSlot(d, "X轴文字颜色", colorOr(l.axisTextColor, "0x587b8c"));
    fillSlot(d, "Y轴文字离表距离", to_string(l.yTextDistance));
    fillSlot(d, "Y轴最小值", to_string(l.yMin));
    fillSlot(d, "Y轴最大值", to_string(l.yMax));
    fillSlot(d, "Y轴刻度数量", to_string(l.yIntervals));
    fillSlot(d, "X轴文字离表距离", to_string(l.xTextDistance));
    fillSlot(d, "刻度线粗细", to_string(l.gridThickness));
    fillSlot(d, "刻度线颜色", to_string(l.gridColor));
    fillSlot(d, "图例是否可见", ChartText::logical(l.legendVisible));
    fillSlot(d, "图例左边", to_string(l.legendLeft));
    fillSlot(d, "图例顶边", to_string(l.legendTop));
    fillSlot(d, "图例高度", to_string(l.legendWidth));
    fillSlot(d, "图例文字大小", to_string(l.legendTextSize));
    fillSlot(d, "图例文字颜色", colorOr(l.legendTextColor, "0x5e7086"));
    fillSlot(d, "图例背景色", colorOr(l.legendBackColor, "0xFFFFFF"));
    fillSlot(d, "趋势线圆点大小", to_string(l.pointRadius));
    fillSlot(d, "趋势线文字大小", to_string(l.tooltipTextSize));
    fillSlot(d, "是否同步画线", ChartText::logical(l.drawTogether));
}

void LineChartWriter::addParagraph(int align, bool bold, std::optional<std::uint32_t> color,
                                   int size, int x, int y, int width, const std::string& text) {
    const char* alignText = align == 1 ? "center" : align == 2 ? "right" : "left";
    m_texts += "<paragraph align=\"" + std::string(alignText) + "\" bold=\"" +
               ChartText::logical(bold) + "\" color=\"" + colorOr(color, "0x000066") +
               "\" size=\"" + std::to_string(size) + "\" x=\"" + std::to_string(x) + "\" y=\"" +
               std::to_string(y) + "\" width=\"" + std::to_string(width) + "\" text=\"" + text +
               "\" />\r\n";
}

void LineChartWriter::addSerie(std::uint32_t lineColor, int thickness, std::uint32_t pointColor,
                               const std::string& name) {
    const std::string line = colorToHex(lineColor);
    const std::string point = colorToHex(pointColor);
    m_series += "<serie lineColor=\"" + line + "\" thick=\"" + std::to_string(thickness) +
                "\" pointInteriorColor=\"" + point + "\" pointBorderColor=\"" + line +
                "\" tooltipBackColor=\"" + line + "\" tooltipTextColor=\"" + point + "\" name=\"" +
                name + "\" />\r\n";
}

void LineChartWriter::setPeriods(const std::vector<std::string>& names) {
    m_periods.clear();
    for (const auto& name : names)
        m_periods.push_back("<period name=\"" + name + "\">\r\n");
}

void LineChartWriter::addPeriodValues(const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < m_periods.size(); ++i)
        m_periods[i] += "<v>" + (i < values.size() ? values[i] : std::string("0")) + "</v>";
}

std::string LineChartWriter::text() const {
    std::string periodsText;
    for (const auto& period : m_periods)
        periodsText += period + "\r\n</period>\r\n";
    std::string document = m_document;
    ChartText::fillSlot(document, "文本内容", m_texts);
    ChartText::fillSlot(document, "趋势线配置", m_series);
    ChartText::fillSlot(document, "纵向刻度配置", periodsText);
    return document;
}

bool LineChartWriter::save(const std::string& folder) const {
    std::error_code error;
    if (std::filesystem::is_directory(folder, error))
        std::filesystem::create_directories(std::filesystem::path(folder) / "xml", error);
    ChartText::writeFile(ChartFiles::lineChartPath(folder), text());
    return true;
}
