#include "reports/IncomeReports.h"
#include "storage/values/Money.h"

#include "reports/ChartFiles.h"
#include "reports/ReportCharts.h"
#include "reports/ReportMath.h"
#include "reports/ReportQuery.h"
#include "reports/TillDays.h"
#include "storage/values/Calendar.h"
#include "storage/values/Values.h"

namespace {

constexpr std::uint32_t red = 255;
constexpr std::uint32_t blue = 0xFF0000;

ReportSheet startSheet(const ReportTill& till, const std::string& title,
                       const std::vector<std::string>& headings, ReportSheet::Chart chart) {
    return ReportSheet::titled(4, 229, till.title(title), headings, chart);
}

const std::vector<std::string> monthHeadings = {"月份", "月收入", "月点单数量", "平均点单价格"};

// The label a chart gives a period key: "2017-05-08" -> "08日".
std::string label(const std::string& key, const char* suffix) {
    return (key.size() >= 2 ? key.substr(key.size() - 2) : key) + suffix;
}

std::string dayBounds(const std::string& column, const std::string& date) {
    return column + ">cdate(" + Values::sqlQuote(date + "0时0分0秒") + ") and " + column +
           "<=cdate(" + Values::sqlQuote(date + "23时59分59秒") + ")";
}

void writeMonthPies(ReportSheet& sheet, ReportCharts::PieLayout layout,
                    const std::vector<IncomeReports::Row>& rows, const std::string& incomeTitle,
                    const std::string& countTitle) {
    sheet.addChart({incomeTitle, {{"月收入", 1}}});
    sheet.addChart({countTitle, {{"月点单数量", 2}}});
    std::vector<std::string> labels;
    std::vector<long long> incomes, counts;
    for (const auto& row : rows) {
        labels.push_back(label(row.key, "月"));
        incomes.push_back(static_cast<long long>(row.sum));
        counts.push_back(row.count);
    }
    ReportCharts::writeMonthPies(layout, incomeTitle, countTitle, labels, incomes, counts);
}

} // namespace

ReportSheet IncomeReports::day(const std::string& date) {
    ReportSheet sheet =
        startSheet(m_till, date + " 点单报表", {"时间", "", "实付"}, ReportSheet::Chart::None);
    sheet.merge(1, 0, 1);
    sheet.merge(1, 2, 3);
    const std::string till = m_till.condition("收银台");
    const std::string where =
        " from 存单 where " + dayBounds("时间", date) + (till.empty() ? "" : " and " + till);
    const auto read = ReportQuery::totals(m_db, "select count(*),sum(实付)" + where);
    if (!read)
        return ReportQuery::failed(sheet, read.readFailure());
    const ReportQuery::Totals& totals = *read;
    if (totals.count == 0)
        return sheet;
    int row = 2;
    const auto records = ReportQuery::forEachRecord(
        m_db, "select 时间,实付" + where + " order by 时间,ID", [&](const Rows::Row& r) {
            sheet.merge(row, 0, 1);
            sheet.merge(row, 2, 3);
            sheet.setText(row, 0, Values::dateTimeToText(r.at(0).toDateTime()));
            sheet.setText(row, 2, Values::numberToText(r.at(1).toNumber()));
            ++row;
        });
    if (!records)
        return ReportQuery::failed(sheet, records.readFailure());
    const int last = row - 1;
    sheet.setLastDataRow(last);
    sheet.colourColumn(2, 2, last, red);
    sheet.merge(last + 1, 0, 3);
    sheet.merge(last + 2, 0, 3);
    sheet.setText(last + 2, 0, "总计收入：" + Values::numberToText(totals.sum));
    sheet.merge(last + 3, 0, 1);
    sheet.setText(last + 3, 0, "点单数量：" + std::to_string(totals.count));
    sheet.merge(last + 3, 2, 3);
    sheet.setText(last + 3, 2, "点单均价：" + ReportMath::average(totals.sum, totals.count));
    sheet.setRowCount(last + 4);
    sheet.setFound(true);
    return sheet;
}

IncomeReports::Grouping IncomeReports::grouping(const DayPeriod& days, const std::string& rowFormat,
                                                int periods, const std::string& span) {
    return {days,
            rowFormat.size(),
            periods,
            "本" + span,
            rowFormat == "yyyy-mm-dd" ? "日" : "个月",
            span + "总点单数量：",
            span + "点单均价："};
}

// From the sums kept per day: a year is a few hundred rows, not every order.
// One till's orders are added up from its rows.
std::vector<IncomeReports::Row> IncomeReports::grouped(ReportSheet& sheet, const Grouping& g) {
    std::vector<Row> rows;
    const auto read = m_till.isAll() ? KeptSumsReader(m_db).orderDays(g.days.from(), g.days.to())
                                     : TillDays(m_db, m_till).orderDays(g.days.from(), g.days.to());
    if (!read) {
        ReportQuery::failed(sheet, read.readFailure());
        return rows;
    }
    ReportQuery::Totals totals;
    Money income;
    for (const KeptSumsReader::Day& day : g.days.grouped(*read, g.keyLength)) {
        rows.push_back({day.day, day.count, day.amount.yuan()});
        totals.count += day.count;
        income += day.amount;
    }
    totals.sum = income.yuan();
    if (totals.count == 0)
        return {};
    std::vector<std::vector<std::string>> texts;
    for (const auto& r : rows)
        texts.push_back({r.key, Values::numberToText(r.sum), std::to_string(r.count),
                         ReportMath::average(r.sum, r.count)});
    const int last = sheet.setDataRows(texts);
    sheet.colourColumn(1, 2, last, red);
    sheet.colourColumn(2, 2, last, blue);
    sheet.merge(last + 1, 0, 3);
    const std::string total = g.period + "总计收入：" + Values::numberToText(totals.sum);
    const int missing = g.periods - static_cast<int>(rows.size());
    if (missing != 0) {
        sheet.merge(last + 2, 0, 1);
        sheet.setText(last + 2, 0, total);
        sheet.merge(last + 2, 2, 3);
        sheet.setText(last + 2, 2,
                      g.period + "有" + std::to_string(missing) + g.unit + "的数据缺损");
    } else {
        sheet.merge(last + 2, 0, 3);
        sheet.setText(last + 2, 0, total);
    }
    sheet.merge(last + 3, 0, 1);
    sheet.setText(last + 3, 0, g.countLabel + std::to_string(totals.count));
    sheet.merge(last + 3, 2, 3);
    sheet.setText(last + 3, 2, g.averageLabel + ReportMath::average(totals.sum, totals.count));
    sheet.setRowCount(last + 4);
    sheet.setFound(true);
    return rows;
}

ReportSheet IncomeReports::month(const std::string& year, const std::string& month) {
    ReportSheet sheet =
        startSheet(m_till, year + "年" + month + "月 月报表",
                   {"日期", "日收入", "日点单数量", "平均点单价格"}, ReportSheet::Chart::Line);
    const DayPeriod period = DayPeriod::month(ReportMath::monthKey(year, month));
    const int days = Calendar::daysInMonth(Values::textToInt(year), Values::textToInt(month));
    const auto rows = grouped(sheet, grouping(period, "yyyy-mm-dd", days, "月"));
    if (rows.empty())
        return sheet;
    ReportMath::ChartMaximum maximum;
    std::vector<std::string> labels;
    ReportCharts::TrendSeries income{"月实付总额", {}}, count{"月点单数量", {}};
    for (const auto& row : rows) {
        labels.push_back(label(row.key, "日"));
        income.values.push_back(Values::numberToText(row.sum));
        count.values.push_back(std::to_string(row.count));
        maximum.add(row.sum, static_cast<double>(row.count));
    }
    const std::string chartTitle = year + "年" + ReportMath::padMonth(month) + "月份 参考数据";
    sheet.addChart({chartTitle, {{income.name, 1}, {count.name, 2}}});
    ReportCharts::writeTrend(m_folder, maximum.axisMaximum(), chartTitle, labels, income, count);
    return sheet;
}

ReportSheet IncomeReports::quarter(const std::string& year, const std::string& quarter) {
    ChartFiles::clearPieChart();
    ReportSheet sheet = startSheet(m_till, year + "年" + quarter + "季度报表", monthHeadings,
                                   ReportSheet::Chart::Pie);
    const int q = Values::textToInt(quarter);
    const std::string from = year + "-" + ReportMath::padMonth(std::to_string(3 * q - 2));
    const std::string to = year + "-" + ReportMath::padMonth(std::to_string(3 * q + 1));
    const auto rows = grouped(sheet, grouping(DayPeriod::months(from, to), "yyyy-mm", 3, "季度"));
    if (!rows.empty())
        writeMonthPies(sheet, ReportCharts::PieLayout::Quarter, rows,
                       year + "年" + quarter + "季度收入参考",
                       year + "年" + quarter + "季度开单数量参考");
    return sheet;
}

ReportSheet IncomeReports::year(const std::string& year) {
    ReportSheet sheet =
        startSheet(m_till, year + "年 年报表", monthHeadings, ReportSheet::Chart::Pie);
    const auto rows = grouped(sheet, grouping(DayPeriod::year(year), "yyyy-mm", 12, "年度"));
    if (!rows.empty())
        writeMonthPies(sheet, ReportCharts::PieLayout::Year, rows, year + "年 年收入参考",
                       year + "年 开单数量参考");
    return sheet;
}
