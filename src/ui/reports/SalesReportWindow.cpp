#include "ui/reports/SalesReportWindow.h"

#include "reports/ReportMath.h"
#include "reports/SalesReports.h"
#include "storage/values/Clock.h"
#include "storage/config/ProgramFolder.h"
#include "ui/common/MessageBoxes.h"
#include "ui/reports/PeriodPicker.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>

namespace {

std::string utf8(const QString& text) {
    return text.toStdString();
}

} // namespace

SalesReportWindow::SalesReportWindow(Database& db, QWidget* parent, SalesReportState* state)
    : ReportWindow(db, QStringLiteral("销售统计"), parent),
      m_state(state ? *state : programState()), m_filter(new QComboBox(this)) {
    QMenu* kinds = addMenu(QStringLiteral("统计方式"));
    kinds->addAction(QStringLiteral("日销售统计"), this, &SalesReportWindow::pickDay);
    kinds->addAction(QStringLiteral("月销售统计"), this, &SalesReportWindow::pickMonth);
    kinds->addAction(QStringLiteral("年度销售统计"), this, &SalesReportWindow::pickYear);
    auto* label = new QLabel(QStringLiteral("统计类型："), this);
    m_filter->setObjectName(QStringLiteral("组合框_统计类型"));
    m_filter->setAccessibleDescription(m_filter->objectName());
    m_filter->setAccessibleName(label->text());
    m_filter->setMinimumContentsLength(12);
    label->setBuddy(m_filter);
    toolRow()->addWidget(label);
    toolRow()->addWidget(m_filter);
    // The list opens on all dishes, so the figures must be all dishes' too.
    SalesReports(m_db, ProgramFolder::path(), m_state).setDishFilter(SalesReports::allDishes);
    showYearSalesReport(QString::number(Clock::system().now().year));
    fillDishFilter();
    connect(m_filter, &QComboBox::currentTextChanged, this, &SalesReportWindow::applyDishFilter);
}

SalesReportWindow* SalesReportWindow::openWindow() {
    return dynamic_cast<SalesReportWindow*>(PeriodReports::takingOver());
}

SalesReportState& SalesReportWindow::programState() {
    static SalesReportState state;
    return state;
}

void SalesReportWindow::fillDishFilter() {
    const auto choices = SalesReports(m_db, ProgramFolder::path(), m_state).filterChoices();
    if (!choices) {
        m_filter->addItem(QString::fromUtf8(SalesReports::allDishes));
        MessageBoxes::instance().inform(
            this, QString::fromStdString(choices.message("读取菜品列表", "只能查看所有菜品。")),
            MessageBoxes::Icon::Warning);
        return;
    }
    for (const auto& dish : *choices)
        m_filter->addItem(QString::fromStdString(dish));
}

bool SalesReportWindow::showYearSalesReport(const QString& year) {
    return showSheet(reports().year(utf8(year)));
}

bool SalesReportWindow::showMonthSalesReport(const QString& monthKey) {
    return showSheet(reports().month(utf8(monthKey)));
}

bool SalesReportWindow::showDaySalesList(const QString& date) {
    return showSheet(reports().day(utf8(date)));
}

bool SalesReportWindow::applyDishFilter() {
    SalesReports sales = reports();
    sales.setDishFilter(utf8(m_filter->currentText()));
    return showSheet(sales.rerun());
}

bool SalesReportWindow::showAgain() {
    return showSheet(reports().rerun());
}

SalesReports SalesReportWindow::reports() {
    SalesReports sales(m_db, ProgramFolder::path(), m_state);
    sales.setTill(till());
    return sales;
}

bool SalesReportWindow::runYearReport(const QString& year) {
    m_state.mode = SalesReportState::Year;
    return showYearSalesReport(year);
}

bool SalesReportWindow::runMonthReport(const QString& year, const QString& month) {
    m_state.mode = SalesReportState::Month;
    return showMonthSalesReport(
        QString::fromStdString(ReportMath::monthKey(utf8(year), utf8(month))));
}

bool SalesReportWindow::runDayReport(const QString& date) {
    m_state.mode = SalesReportState::Day;
    return showDaySalesList(date);
}

void SalesReportWindow::pickDay() {
    pick(PeriodPicker::Kind::Day,
         [this](const QString& date, const QString&) { return runDayReport(date); });
}

void SalesReportWindow::pickMonth() {
    pick(PeriodPicker::Kind::Month,
         [this](const QString& year, const QString& month) { return runMonthReport(year, month); });
}

void SalesReportWindow::pickYear() {
    pick(PeriodPicker::Kind::Year,
         [this](const QString& year, const QString&) { return runYearReport(year); });
}
