#include "ui/reports/IncomeReportWindow.h"

#include "reports/IncomeReports.h"
#include "storage/values/Clock.h"
#include "storage/config/ProgramFolder.h"
#include "ui/reports/PeriodPicker.h"
#include "ui/reports/PeriodReports.h"

#include <QLabel>
#include <QMenu>

namespace {

std::string utf8(const QString& text) {
    return text.toStdString();
}

} // namespace

IncomeReportWindow::IncomeReportWindow(Database& db, QWidget* parent)
    : ReportWindow(db, QStringLiteral("收入报表"), parent) {
    QMenu* kinds = addMenu(QStringLiteral("报表类型"));
    kinds->addAction(QStringLiteral("日报表"), this, &IncomeReportWindow::pickDay);
    kinds->addAction(QStringLiteral("月报表"), this, &IncomeReportWindow::pickMonth);
    kinds->addAction(QStringLiteral("季度报表"), this, &IncomeReportWindow::pickQuarter);
    kinds->addAction(QStringLiteral("年度报表"), this, &IncomeReportWindow::pickYear);
    caption()->setText(QStringLiteral("正在浏览:2016年 年报表"));
    showYearIncomeReport(QString::number(Clock::system().now().year));
}

bool IncomeReportWindow::showDayIncomeReport(const QString& date) {
    return showReport([d = utf8(date)](IncomeReports& r) { return r.day(d); });
}

bool IncomeReportWindow::showMonthIncomeReport(const QString& year, const QString& month) {
    return showReport(
        [y = utf8(year), m = utf8(month)](IncomeReports& r) { return r.month(y, m); });
}

bool IncomeReportWindow::showQuarterIncomeReport(const QString& year, const QString& quarter) {
    return showReport(
        [y = utf8(year), q = utf8(quarter)](IncomeReports& r) { return r.quarter(y, q); });
}

bool IncomeReportWindow::showYearIncomeReport(const QString& year) {
    return showReport([y = utf8(year)](IncomeReports& r) { return r.year(y); });
}

bool IncomeReportWindow::showReport(Report report) {
    m_shown = std::move(report);
    return showAgain();
}

bool IncomeReportWindow::showAgain() {
    IncomeReports reports(m_db, ProgramFolder::path());
    reports.setTill(till());
    return m_shown && showSheet(m_shown(reports));
}

// While the sales window is open, the pickers start its reports instead.
void IncomeReportWindow::pickDay() {
    pick(PeriodPicker::Kind::Day, [this](const QString& date, const QString&) {
        PeriodReports* sales = PeriodReports::takingOver();
        return sales ? sales->runDayReport(date) : showDayIncomeReport(date);
    });
}

void IncomeReportWindow::pickMonth() {
    pick(PeriodPicker::Kind::Month, [this](const QString& year, const QString& month) {
        PeriodReports* sales = PeriodReports::takingOver();
        return sales ? sales->runMonthReport(year, month) : showMonthIncomeReport(year, month);
    });
}

void IncomeReportWindow::pickQuarter() {
    pick(PeriodPicker::Kind::Quarter, [this](const QString& year, const QString& quarter) {
        return showQuarterIncomeReport(year, quarter);
    });
}

void IncomeReportWindow::pickYear() {
    pick(PeriodPicker::Kind::Year, [this](const QString& year, const QString&) {
        PeriodReports* sales = PeriodReports::takingOver();
        return sales ? sales->runYearReport(year) : showYearIncomeReport(year);
    });
}
