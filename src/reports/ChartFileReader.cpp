#include "reports/ChartFileReader.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        result.push_back(line);
    }
    return result;
}

// The value of name="..." within the part of the line before `end`.
std::string attribute(const std::string& line, const std::string& name,
                      std::size_t end = std::string::npos) {
    const std::string key = " " + name + "=\"";
    const auto at = line.rfind(key, end);
    if (at == std::string::npos)
        return {};
    const auto from = at + key.size();
    const auto to = line.find('"', from);
    return to == std::string::npos ? line.substr(from) : line.substr(from, to - from);
}

// The last attribute of an element, read up to the element's own end so
// that quotes inside the value survive.
std::string lastAttribute(const std::string& line, const std::string& name,
                          const std::string& closing) {
    const std::string key = " " + name + "=\"";
    const auto at = line.find(key);
    if (at == std::string::npos)
        return {};
    const auto from = at + key.size();
    auto to = line.rfind(closing);
    if (to == std::string::npos || to < from)
        to = line.size();
    return line.substr(from, to - from);
}

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> items;
    if (text.empty())
        return items;
    std::size_t from = 0;
    for (auto at = text.find(','); at != std::string::npos; at = text.find(',', from)) {
        items.push_back(text.substr(from, at - from));
        from = at + 1;
    }
    items.push_back(text.substr(from));
    return items;
}

double number(const std::string& text) {
    return std::atof(text.c_str());
}

void readValues(const std::string& line, std::vector<double>& values) {
    for (auto at = line.find("<v>"); at != std::string::npos; at = line.find("<v>", at + 3)) {
        const auto end = line.find("</v>", at);
        values.push_back(
            number(line.substr(at + 3, end == std::string::npos ? end : end - at - 3)));
    }
}

void readLineElement(const std::string& line, LineChartData& chart) {
    if (line.find("<paragraph ") != std::string::npos) {
        chart.paragraphs.push_back(lastAttribute(line, "text", "\" />"));
    } else if (line.find("<serie ") != std::string::npos) {
        const auto nameAt = line.find(" name=\"");
        LineChartData::Serie serie;
        serie.name = lastAttribute(line, "name", "\" />");
        serie.lineColor = ChartFileReader::parseColor(attribute(line, "lineColor", nameAt));
        serie.pointColor =
            ChartFileReader::parseColor(attribute(line, "pointInteriorColor", nameAt));
        serie.thickness = std::atoi(attribute(line, "thick", nameAt).c_str());
        chart.series.push_back(serie);
    } else if (line.find("<period ") != std::string::npos) {
        chart.periods.push_back(lastAttribute(line, "name", "\">"));
        chart.values.emplace_back();
    } else if (line.find("<yaxis ") != std::string::npos) {
        chart.yMin = number(attribute(line, "min"));
        chart.yMax = number(attribute(line, "max"));
        chart.intervals = std::atoi(attribute(line, "intervals").c_str());
    } else if (line.find("<legends ") != std::string::npos) {
        chart.legendVisible = attribute(line, "visible") != "false";
    } else if (!chart.values.empty() && line.find("<v>") != std::string::npos) {
        readValues(line, chart.values.back());
    }
}

struct PieElement {
    std::string tag;
    std::string content;
};

PieElement pieElement(const std::string& line) {
    const auto open = line.find('<');
    const auto close = line.find('>', open);
    if (open == std::string::npos || close == std::string::npos ||
        line.compare(open, 4, "<!--") == 0)
        return {};
    const std::string tag = line.substr(open + 1, close - open - 1);
    const auto end = line.rfind("</" + tag + ">");
    if (end == std::string::npos || end < close)
        return {tag, {}};
    return {tag, line.substr(close + 1, end - close - 1)};
}

// "title,x,y,size,bold,colour": the title itself may hold commas.
void readPieTitle(const std::string& content, PieChartData::Pie& pie) {
    auto fields = split(content);
    if (fields.size() < 6) {
        pie.title = content;
        return;
    }
    const auto tail = fields.end() - 5;
    pie.titleSize = std::atoi(tail[2].c_str());
    pie.titleBold = tail[3] == "true";
    pie.titleColor = ChartFileReader::parseColor(tail[4]);
    fields.erase(tail, fields.end());
    std::string title;
    for (const auto& field : fields)
        title += (title.empty() ? "" : ",") + field;
    pie.title = title;
}

void readPieElement(const PieElement& e, PieChartData::Pie& pie) {
    if (e.tag == "pie_title") {
        readPieTitle(e.content, pie);
    } else if (e.tag == "pie_num") {
        for (const auto& v : split(e.content))
            pie.values.push_back(number(v));
    } else if (e.tag == "pie_name") {
        pie.names = split(e.content);
    } else if (e.tag == "pie_color") {
        for (const auto& c : split(e.content))
            pie.colors.push_back(ChartFileReader::parseColor(c));
    } else if (e.tag == "pie_showtitle") {
        for (const auto& flag : split(e.content))
            pie.showNames.push_back(flag == "true");
    } else if (e.tag == "pie_percentshow") {
        pie.percentMode = e.content;
    } else if (e.tag == "pie_fontcolor") {
        pie.textColor = ChartFileReader::parseColor(e.content);
    } else if (e.tag == "pie_orderfontcolor") {
        pie.legendTextColor = ChartFileReader::parseColor(e.content);
    }
}

} // namespace

namespace ChartFileReader {

std::uint32_t parseColor(const std::string& text) {
    if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        return 0;
    return static_cast<std::uint32_t>(std::strtoul(text.c_str() + 2, nullptr, 16)) & 0xFFFFFFu;
}

LineChartData parseLineChart(const std::string& text) {
    LineChartData chart;
    for (const auto& line : lines(text))
        readLineElement(line, chart);
    return chart;
}

PieChartData parsePieChart(const std::string& text) {
    PieChartData chart;
    for (const auto& line : lines(text)) {
        if (line.find("<drawpie ") != std::string::npos)
            chart.background = parseColor(attribute(line, "bgcolor"));
        else if (line.find("<pie>") != std::string::npos)
            chart.pies.emplace_back();
        else if (!chart.pies.empty())
            readPieElement(pieElement(line), chart.pies.back());
    }
    return chart;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace ChartFileReader
