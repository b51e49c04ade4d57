#include "spreadsheet/ReportExport.h"

#include "reports/ReportSheet.h"
#include "spreadsheet/CsvTableWriter.h"
#include "spreadsheet/PendingFile.h"
#include "spreadsheet/TableFileFormat.h"
#include "spreadsheet/XlsxBook.h"
#include "storage/values/Values.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <set>
#include <tuple>
#include <vector>

namespace ReportExport {
namespace {

using Cell = std::pair<int, int>;

// Cells hidden under a merged group, all but its first.
std::set<Cell> coveredCells(const ReportSheet& sheet) {
    std::set<Cell> covered;
    for (const auto& span : sheet.spans())
        for (int column = span.column + 1; column < span.column + span.columns; ++column)
            covered.insert({span.row, column});
    return covered;
}

// Report colours are held in Windows order, red in the lowest byte.
lxw_color_t rgb(std::uint32_t colour) {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

// One format per kind of cell, made when first needed.
class Formats {
  public:
    explicit Formats(XlsxBook& book) : m_book(book) {}

    lxw_format* of(int row, std::uint32_t colour) {
        const int kind = row == 0 ? 0 : row == 1 ? 1 : 2;
        auto& format = m_formats[{kind, colour}];
        if (format)
            return format;
        format = m_book.addFormat();
        format_set_align(format, LXW_ALIGN_CENTER);
        format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
        if (kind < 2)
            format_set_bold(format);
        if (kind == 0)
            format_set_font_size(format, 14);
        if (colour != 0)
            format_set_font_color(format, rgb(colour));
        return format;
    }

  private:
    XlsxBook& m_book;
    std::map<std::tuple<int, std::uint32_t>, lxw_format*> m_formats;
};

bool writeCell(lxw_worksheet* ws, int row, int column, const std::string& text,
               lxw_format* format) {
    if (const auto number = Values::textAsNumber(text))
        return worksheet_write_number(ws, row, column, *number, format) == LXW_NO_ERROR;
    return worksheet_write_string(ws, row, column, text.c_str(), format) == LXW_NO_ERROR;
}

bool writeCells(const ReportSheet& sheet, lxw_worksheet* ws, Formats& formats) {
    bool written = true;
    for (const auto& span : sheet.spans()) {
        if (span.row >= sheet.rowCount() || span.columns < 2)
            continue;
        const std::string text = sheet.text(span.row, span.column);
        lxw_format* format = formats.of(span.row, sheet.colour(span.row, span.column));
        written &=
            worksheet_merge_range(ws, span.row, span.column, span.row,
                                  span.column + span.columns - 1, "", format) == LXW_NO_ERROR;
        if (!text.empty())
            written &= writeCell(ws, span.row, span.column, text, format);
    }
    const std::set<Cell> covered = coveredCells(sheet);
    std::set<Cell> merged;
    for (const auto& span : sheet.spans())
        merged.insert({span.row, span.column});
    for (int row = 0; row < sheet.rowCount(); ++row)
        for (int column = 0; column < sheet.columns(); ++column) {
            const std::string text = sheet.text(row, column);
            if (text.empty() || covered.count({row, column}) || merged.count({row, column}))
                continue;
            written &= writeCell(ws, row, column, text, formats.of(row, sheet.colour(row, column)));
        }
    return written;
}

// The line colours of the window's trend chart: red, then blue.
constexpr lxw_color_t lineColours[] = {0xFF0000, 0x0000FF};

void addChart(XlsxBook& book, lxw_worksheet* ws, const ReportSheet& sheet,
              const ReportSheet::SheetChart& sheetChart, int index) {
    const bool pie = sheet.chart() == ReportSheet::Chart::Pie;
    lxw_chart* chart = workbook_add_chart(book.get(), pie ? LXW_CHART_PIE : LXW_CHART_LINE);
    chart_title_set_name(chart, sheetChart.title.c_str());
    const int first = ReportSheet::firstDataRow;
    const int last = sheet.lastDataRow();
    for (std::size_t s = 0; s < sheetChart.series.size(); ++s) {
        const auto& serie = sheetChart.series[s];
        lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
        chart_series_set_categories(series, sheetName, first, 0, last, 0);
        chart_series_set_values(series, sheetName, first, serie.column, last, serie.column);
        chart_series_set_name(series, serie.name.c_str());
        if (pie) {
            chart_series_set_labels(series);
            continue;
        }
        lxw_chart_line line{};
        line.color = lineColours[s % 2];
        line.width = 2;
        chart_series_set_line(series, &line);
        chart_series_set_marker_type(series, LXW_CHART_MARKER_CIRCLE);
    }
    if (!pie)
        chart_legend_set_position(chart, LXW_CHART_LEGEND_TOP);
    // Beside the grid, as in the window; two pies side by side.
    lxw_chart_options options{};
    options.x_offset = index * 500;
    options.x_scale = pie ? 1.0 : 1.6;
    options.y_scale = pie ? 1.2 : 1.3;
    worksheet_insert_chart_opt(ws, 0, sheet.columns() + 1, chart, &options);
}

// Spreadsheet widths count a Chinese character as two.
int displayWidth(const std::string& utf8) {
    int width = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80)
            width += c < 0x80 ? 1 : 2;
    return width;
}

// The width a cell's text needs: the title row is set in 14 points, the
// default 11, and bold takes a little more.
double neededWidth(const ReportSheet& sheet, int row, int column) {
    const double scale = row == 0 ? 14.0 / 11 : 1.0;
    return displayWidth(sheet.text(row, column)) * scale + (row < 2 ? 3 : 2);
}

// Each column as wide as its longest cell of its own; then a merged group
// too narrow for its text is widened, evenly over its columns.
void fitColumns(const ReportSheet& sheet, lxw_worksheet* ws) {
    std::set<Cell> merged;
    for (const auto& span : sheet.spans())
        for (int column = span.column; column < span.column + span.columns; ++column)
            if (span.columns > 1)
                merged.insert({span.row, column});
    std::vector<double> widths(sheet.columns(), 10);
    for (int column = 0; column < sheet.columns(); ++column)
        for (int row = 0; row < sheet.rowCount(); ++row)
            if (!merged.count({row, column}))
                widths[column] = std::max(widths[column], neededWidth(sheet, row, column));
    for (const auto& span : sheet.spans()) {
        if (span.columns < 2 || span.row >= sheet.rowCount() ||
            span.column + span.columns > sheet.columns())
            continue;
        const auto first = widths.begin() + span.column;
        const double have = std::accumulate(first, first + span.columns, 0.0);
        const double lacking = neededWidth(sheet, span.row, span.column) - have;
        if (lacking > 0)
            std::for_each(first, first + span.columns,
                          [&](double& width) { width += lacking / span.columns; });
    }
    for (int column = 0; column < sheet.columns(); ++column)
        worksheet_set_column(ws, column, column, widths[column], nullptr);
}

bool writeXlsx(const ReportSheet& sheet, const std::string& path) {
    PendingFile file(path);
    XlsxBook book(file.path(), false);
    if (!file.ok() || !book.ok())
        return false;
    lxw_worksheet* ws = book.addSheet(sheetName);
    fitColumns(sheet, ws);
    // Printed from the spreadsheet, grid and charts stay on one page's width.
    worksheet_set_landscape(ws);
    worksheet_fit_to_pages(ws, 1, 0);
    Formats formats(book);
    if (!writeCells(sheet, ws, formats))
        return false;
    if (sheet.chart() != ReportSheet::Chart::None && sheet.lastDataRow() >= sheet.firstDataRow)
        for (std::size_t i = 0; i < sheet.charts().size(); ++i)
            addChart(book, ws, sheet, sheet.charts()[i], static_cast<int>(i));
    return book.close() && file.commit();
}

bool writeCsv(const ReportSheet& sheet, const std::string& path) {
    CsvTableWriter writer(path);
    writer.startTable(sheetName, {});
    const std::set<Cell> covered = coveredCells(sheet);
    for (int row = 0; row < sheet.rowCount(); ++row) {
        for (int column = 0; column < sheet.columns(); ++column) {
            const std::string text = sheet.text(row, column);
            const auto number = Values::textAsNumber(text);
            if (text.empty() || covered.count({row, column}))
                writer.blank();
            else if (number)
                writer.number(*number);
            else
                writer.text(text);
        }
        writer.endRow();
    }
    return writer.finish() == WriteResult::Written;
}

} // namespace

bool toFile(const ReportSheet& sheet, const std::string& path) {
    return isCsvPath(path) ? writeCsv(sheet, path) : writeXlsx(sheet, path);
}

} // namespace ReportExport
