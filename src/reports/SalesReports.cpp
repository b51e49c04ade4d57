#include "reports/SalesReports.h"

#include "reports/ChartFiles.h"
#include "reports/ReportCharts.h"
#include "reports/ReportMath.h"
#include "reports/ReportQuery.h"
#include "reports/TillDays.h"
#include "storage/values/Values.h"

#include <vector>

namespace {

constexpr std::uint32_t red = 255;
constexpr std::uint32_t blue = 0xFF0000;

const std::string& remember(const std::string& given, std::string& remembered) {
    if (!given.empty())
        remembered = given;
    return remembered;
}

ReportSheet startSheet(const std::string& title, const std::vector<std::string>& headings,
                       ReportSheet::Chart chart) {
    return ReportSheet::titled(3, 305, title, headings, chart);
}

// Label, quantity and amount.
using Line = std::vector<std::string>;

void fillRows(ReportSheet& sheet, const std::vector<Line>& lines,
              const ReportQuery::Totals& totals) {
    sheet.setRowCount(static_cast<int>(lines.size()) + 5);
    const int last = sheet.setDataRows(lines);
    sheet.colourColumn(1, 2, last, blue);
    sheet.colourColumn(2, 2, last, red);
    sheet.merge(last + 1, 0, 2);
    sheet.merge(last + 2, 0, 2);
    sheet.setText(last + 2, 0,
                  "总销售额(仅作参考，请以实付金额为准)：" + Values::numberToText(totals.sum));
    sheet.merge(last + 3, 0, 2);
    sheet.setText(last + 3, 0, "总销售量：" + std::to_string(totals.count));
    sheet.setFound(true);
}

} // namespace

void SalesReports::setDishFilter(const std::string& text) {
    const bool all = text.empty() || text == allDishes;
    // The name is quoted: a dish called 老王's must find its own lines.
    m_state.dishClause = all ? "" : "菜名=" + Values::sqlQuote(text) + "and";
    m_state.filterText = text.empty() ? allDishes : text;
}

ReportSheet SalesReports::rerun() {
    switch (m_state.mode) {
    case SalesReportState::Month:
        return month({});
    case SalesReportState::Day:
        return day({});
    default:
        return year({});
    }
}

ReadResult<std::vector<std::string>> SalesReports::filterChoices() {
    std::vector<std::string> choices{allDishes};
    const auto dishes =
        ReportQuery::forEachRecord(m_db, "Select * from 菜单", [&](const Rows::Row& r) {
            choices.push_back(r["菜名"].toText());
        });
    if (!dishes)
        return dishes.readFailure();
    return choices;
}

ReportSheet SalesReports::year(const std::string& year) {
    const std::string& y = remember(year, m_state.lastYear);
    return grouped(m_till.title(y + "年 " + m_state.filterText + "销售表"), "月份",
                   DayPeriod::year(y), "yyyy-mm", "月",
                   y + "年 " + m_state.filterText + "销售参考数据", true);
}

ReportSheet SalesReports::month(const std::string& monthKey) {
    const std::string& k = remember(monthKey, m_state.lastMonth);
    return grouped(m_till.title(k + "月 " + m_state.filterText + "销售表"), "时间",
                   DayPeriod::month(k), "yyyy-mm-dd", "日",
                   k + "月 " + m_state.filterText + "销售参考数据", false);
}

// From the sums kept per sale day and dish: a year is a few hundred rows.
// One till's lines are added up from its rows.
ReportSheet SalesReports::grouped(const std::string& title, const std::string& heading,
                                  const DayPeriod& period, const std::string& rowFormat,
                                  const char* labelSuffix, const std::string& chartTitle,
                                  bool clearChartWhenEmpty) {
    ReportSheet sheet =
        startSheet(title, {heading, "销售数量", "销售金额"}, ReportSheet::Chart::Line);
    const std::string* dish = m_state.dishClause.empty() ? nullptr : &m_state.filterText;
    const auto read = m_till.isAll()
                          ? KeptSumsReader(m_db).lineDays(period.from(), period.to(), dish)
                          : TillDays(m_db, m_till).lineDays(period.from(), period.to(), dish);
    if (!read)
        return ReportQuery::failed(sheet, read.readFailure());
    const std::vector<KeptSumsReader::Day> rows = period.grouped(*read, rowFormat.size());
    ReportQuery::Totals totals;
    Money sold;
    for (const KeptSumsReader::Day& row : rows) {
        totals.count += row.count;
        sold += row.amount;
    }
    totals.sum = sold.yuan();
    if (totals.count == 0) {
        if (clearChartWhenEmpty)
            ChartFiles::clearLineChart(m_folder);
        return sheet;
    }
    std::vector<Line> lines;
    std::vector<std::string> labels;
    ReportCharts::TrendSeries amounts{"销售额", {}}, counts{"销售量", {}};
    ReportMath::ChartMaximum maximum;
    for (const KeptSumsReader::Day& row : rows) {
        const double amount = Values::roundTo(row.amount.yuan(), 1);
        const std::string label =
            (row.day.size() >= 2 ? row.day.substr(row.day.size() - 2) : row.day) + labelSuffix;
        lines.push_back({label, std::to_string(row.count), Values::numberToText(amount)});
        labels.push_back(label);
        amounts.values.push_back(Values::numberToText(amount));
        counts.values.push_back(std::to_string(row.count));
        maximum.add(amount, static_cast<double>(row.count));
    }
    fillRows(sheet, lines, totals);
    sheet.addChart({chartTitle, {{amounts.name, 2}, {counts.name, 1}}});
    ReportCharts::writeTrend(m_folder, maximum.axisMaximum(), chartTitle, labels, amounts, counts);
    return sheet;
}

ReportSheet SalesReports::day(const std::string& date) {
    const std::string& d = remember(date, m_state.lastDay);
    ReportSheet sheet = startSheet(m_till.title(d + m_state.filterText + "销售表"),
                                   {"时间", "商品名称", "销售金额"}, ReportSheet::Chart::None);
    const std::string bounds = "销售时间>cdate(" + Values::sqlQuote(d + "0时0分0秒") +
                               ") and 销售时间<=cdate(" + Values::sqlQuote(d + "23时59分59秒") +
                               ")";
    const std::string till = m_till.condition("收银台");
    const std::string from =
        "from 存单详单 where " + m_state.dishClause +
        (till.empty() ? "" : " 存单ID in (select ID from 存单 where " + till + ") and");
    const auto read =
        ReportQuery::totals(m_db, "select count(*),sum(小计) " + from + "  " + bounds);
    if (!read)
        return ReportQuery::failed(sheet, read.readFailure());
    const ReportQuery::Totals& totals = *read;
    if (totals.count == 0)
        return sheet;
    std::vector<Line> lines;
    const auto records = ReportQuery::forEachRecord(
        m_db, "select 销售时间,菜名,数量,小计 " + from + " " + bounds + " order by 销售时间,ID",
        [&](const Rows::Row& r) {
            lines.push_back({Values::dateTimeToText(r.at(0).toDateTime()),
                             r.at(1).toText() + "(" + r.at(2).toText() + ")",
                             Values::numberToText(r.at(3).toNumber())});
        });
    if (!records)
        return ReportQuery::failed(sheet, records.readFailure());
    fillRows(sheet, lines, totals);
    return sheet;
}
