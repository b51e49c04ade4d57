#pragma once
#include "reports/LineChartLayout.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Builds "xml/line-chart.xml" for the chart viewer. Texts go in unescaped:
// the file is read by a reader that does not need well-formed XML.
class LineChartWriter {
  public:
    void setLayout(const LineChartLayout& layout);
    // align: 1 centre, 2 right, anything else left.
    void addParagraph(int align, bool bold, std::optional<std::uint32_t> color, int size, int x,
                      int y, int width, const std::string& text);
    void addSerie(std::uint32_t lineColor, int thickness, std::uint32_t pointColor,
                  const std::string& name);
    void setPeriods(const std::vector<std::string>& names);
    // The i-th period gets the i-th value, or 0 when the list is shorter.
    void addPeriodValues(const std::vector<std::string>& values);
    // Writes folder/xml/line-chart.xml, creating xml/ when the folder exists.
    bool save(const std::string& folder) const;

    // The file's bytes as save() writes them.
    std::string text() const;

  private:
    std::string m_document;
    std::string m_texts;
    std::string m_series;
    std::vector<std::string> m_periods;
};
