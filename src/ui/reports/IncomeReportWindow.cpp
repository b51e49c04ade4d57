#include "ui/reports/IncomeReportWindow.h"

#include "reports/IncomeReports.h"
#include "storage/values/Clock.h"
#include "storage/config/ProgramFolder.h"
#include "ui/reports/PeriodPicker.h"
#include "ui/reports/PeriodReports.h"

#include <QLabel>
#include <QMenu>

namespace {

IncomeReports reports(Database& db) {
    return IncomeReports(db, ProgramFolder::path());
}

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
    return showSheet(reports(m_db).day(utf8(date)));
}

bool IncomeReportWindow::showMonthIncomeReport(const QString& year, const QString& month) {
    return showSheet(reports(m_db).month(utf8(year), utf8(month)));
}

bool IncomeReportWindow::showQuarterIncomeReport(const QString& year, const QString& quarter) {
    return showSheet(reports(m_db).quarter(utf8(year), utf8(quarter)));
}

bool IncomeReportWindow::showYearIncomeReport(const QString& year) {
    return showSheet(reports(m_db).year(utf8(year)));
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
