#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

// One report as its window shows it: the grid's cells, merged groups and
// text colours, the caption, and which chart goes beside it. The window only
// copies this onto its controls.
class ReportSheet {
  public:
    enum class Chart { None, Line, Pie };
    struct Span {
        int row, column, columns;
    };
    // A chart of the sheet's own figures: its categories are column 0 of the
    // data rows, each series one column of them.
    struct ChartSeries {
        std::string name;
        int column;
    };
    struct SheetChart {
        std::string title;
        std::vector<ChartSeries> series;
    };
    static constexpr int firstDataRow = 2;

    ReportSheet(int columns, int columnWidth) : m_columns(columns), m_columnWidth(columnWidth) {}
    // A sheet that starts as every report does: the title merged across row 0
    // and the column headings in row 1.
    static ReportSheet titled(int columns, int columnWidth, const std::string& title,
                              const std::vector<std::string>& headings, Chart chart);

    void setText(int row, int column, const std::string& text);
    // A row's texts from column 0 on.
    void setRow(int row, const std::vector<std::string>& texts);
    // The rows below the headings, the last of them the last data row; its
    // index is returned.
    int setDataRows(const std::vector<std::vector<std::string>>& rows);
    void merge(int row, int firstColumn, int lastColumn);
    // Colours cells (rows first..last of one column); colour in Windows order.
    void colourColumn(int column, int firstRow, int lastRow, std::uint32_t colour);
    void setRowCount(int rows) { m_rowCount = rows; }
    void setTitle(const std::string& title) { m_title = title; }
    void setChart(Chart chart) { m_chart = chart; }
    void setFound(bool found) { m_found = found; }
    // The data could not be read: the sheet shows nothing found, and the
    // window tells this instead.
    void setFailure(std::string message) {
        m_failure = std::move(message);
        m_found = false;
    }
    void setLastDataRow(int row) { m_lastDataRow = row; }
    void addChart(SheetChart chart) { m_charts.push_back(std::move(chart)); }

    int columns() const { return m_columns; }
    int columnWidth() const { return m_columnWidth; }
    int rowCount() const { return m_rowCount; }
    const std::string& title() const { return m_title; }
    std::string caption() const { return "正在浏览:" + m_title; }
    std::string text(int row, int column) const;
    std::uint32_t colour(int row, int column) const; // 0 (black) when not coloured
    const std::vector<Span>& spans() const { return m_spans; }
    // Day reports have no chart and take the window's width.
    Chart chart() const { return m_chart; }
    bool found() const { return m_found; }
    // Empty unless the data could not be read.
    const std::string& failure() const { return m_failure; }
    // Below firstDataRow when the report found nothing.
    int lastDataRow() const { return m_lastDataRow; }
    const std::vector<SheetChart>& charts() const { return m_charts; }

  private:
    int m_columns;
    int m_columnWidth;
    int m_rowCount = 2;
    std::string m_title;
    Chart m_chart = Chart::None;
    bool m_found = false;
    std::string m_failure;
    int m_lastDataRow = firstDataRow - 1;
    std::vector<SheetChart> m_charts;
    std::map<std::pair<int, int>, std::string> m_texts;
    std::map<std::pair<int, int>, std::uint32_t> m_colours;
    std::vector<Span> m_spans;
};
