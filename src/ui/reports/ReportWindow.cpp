#include "ui/reports/ReportWindow.h"

#include "reports/ChartFiles.h"
#include "spreadsheet/ReportExport.h"
#include "storage/values/Clock.h"
#include "storage/config/ProgramFolder.h"
#include "storage/values/Values.h"
#include "ui/common/ExportMessages.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/ListControls.h"
#include "ui/common/MessageBoxes.h"
#include "ui/receipt/PrintDialogs.h"
#include "ui/reports/ChartViewer.h"
#include "ui/reports/ReportGrid.h"
#include "ui/reports/ReportPrinter.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int chartGridWidth = 408;

void name(QWidget* widget, const QString& objectName, const QString& caption) {
    widget->setObjectName(objectName);
    widget->setAccessibleDescription(objectName);
    widget->setAccessibleName(caption);
}

} // namespace

ReportWindow::ReportWindow(Database& db, const QString& title, QWidget* parent)
    : QDialog(parent), m_db(db), m_menuBar(new QMenuBar(this)), m_toolRow(new QHBoxLayout),
      m_caption(new QLabel(this)), m_grid(new ReportGrid(this)), m_chart(new ChartViewer(this)),
      m_tills(new QComboBox(this)) {
    setWindowTitle(title);
    name(m_caption, QStringLiteral("标签_正在浏览"), QStringLiteral("正在浏览"));
    name(m_grid, QStringLiteral("高级表格1"), QStringLiteral("报表"));
    name(m_chart, QStringLiteral("图表区"), QStringLiteral("图表"));
    auto* top = new QHBoxLayout;
    top->addWidget(m_caption);
    top->addStretch();
    auto* tillLabel = new QLabel(QStringLiteral("收银台："), this);
    name(m_tills, QStringLiteral("组合框_收银台"), QStringLiteral("收银台"));
    m_tills->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // A till may be named with up to 64 characters; the caption keeps its room.
    m_tills->setMaximumWidth(280);
    tillLabel->setBuddy(m_tills);
    top->addWidget(tillLabel);
    top->addWidget(m_tills);
    top->addSpacing(12);
    top->addLayout(m_toolRow);
    // Export and print end the row, after whatever a window puts in it.
    connect(ListControls::addCaptionButton(top, this, QStringLiteral("导出")),
            &QPushButton::clicked, this, &ReportWindow::exportReport);
    connect(ListControls::addCaptionButton(top, this, QStringLiteral("打印")),
            &QPushButton::clicked, this, &ReportWindow::printReport);
    auto* body = new QHBoxLayout;
    body->addWidget(m_grid);
    body->addWidget(m_chart, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(m_menuBar);
    layout->setContentsMargins(20, 8, 20, 20);
    layout->addLayout(top);
    layout->addLayout(body, 1);
    resize(1340, 700);
    fillTillFilter();
    connect(m_tills, &QComboBox::currentIndexChanged, this, &ReportWindow::chooseTill);
}

void ReportWindow::fillTillFilter() {
    const auto choices = ReportTill::choices(m_db);
    m_tillChoices = choices ? *choices : std::vector<ReportTill>{ReportTill::all()};
    for (const ReportTill& choice : m_tillChoices)
        m_tills->addItem(QString::fromStdString(choice.label()));
    if (!choices)
        MessageBoxes::instance().inform(
            this, QString::fromStdString(choices.message("读取收银台列表", "只能查看全部收银台。")),
            MessageBoxes::Icon::Warning);
}

void ReportWindow::chooseTill(int index) {
    if (index < 0 || index >= static_cast<int>(m_tillChoices.size()))
        return;
    m_till = m_tillChoices[static_cast<std::size_t>(index)];
    showAgain();
}

QMenu* ReportWindow::addMenu(const QString& title) {
    return m_menuBar->addMenu(title);
}

void ReportWindow::pick(PeriodPicker::Kind kind, const PeriodPicker::Report& report) {
    PeriodPicker picker(kind, report, this);
    picker.exec();
}

bool ReportWindow::showSheet(const ReportSheet& sheet) {
    const bool withChart = sheet.chart() != ReportSheet::Chart::None;
    m_chart->setVisible(withChart);
    // Beside a chart the grid keeps its width; alone it takes the window's.
    m_grid->setMinimumWidth(withChart ? chartGridWidth : 0);
    m_grid->setMaximumWidth(withChart ? chartGridWidth : QWIDGETSIZE_MAX);
    m_grid->showSheet(sheet);
    m_sheet = sheet;
    m_caption->setText(QString::fromStdString(sheet.caption()));
    if (!sheet.failure().empty()) {
        // Nothing to export or print: the figures were never read.
        m_sheet.reset();
        m_chart->clear();
        MessageBoxes::instance().inform(this, QString::fromStdString(sheet.failure()),
                                        MessageBoxes::Icon::Warning);
        return false;
    }
    if (!sheet.found()) {
        m_chart->clear();
        MessageBoxes::instance().inform(this, QStringLiteral("没有找到对应时间内的点单数据。"),
                                        MessageBoxes::Icon::Information, QStringLiteral("提示"));
        return false;
    }
    if (sheet.chart() == ReportSheet::Chart::Line)
        m_chart->showLineChart(
            QString::fromStdString(ChartFiles::lineChartPath(ProgramFolder::path())));
    else if (sheet.chart() == ReportSheet::Chart::Pie)
        m_chart->showPieChart(QString::fromStdString(ChartFiles::pieChartPath()));
    return true;
}

void ReportWindow::exportReport() {
    if (!m_sheet)
        return;
    // A dish name in the title may hold a character no file name can.
    QString name = QString::fromStdString(m_sheet->title());
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QString path = FileDialogs::instance().saveFile(this, QStringLiteral("导出报表"),
                                                          name + QStringLiteral(".xlsx"),
                                                          FileDialogs::spreadsheetFilters());
    if (path.isEmpty())
        return;
    ExportMessages::tell(this,
                         ReportExport::toFile(*m_sheet, path.toStdString()) ? WriteResult::Written
                                                                            : WriteResult::Failed,
                         path);
}

void ReportWindow::printReport() {
    if (!m_sheet)
        return;
    QPrinter printer(QPrinter::HighResolution);
    ReportPrinter::preparePrinter(printer);
    if (!PrintDialogs::instance().choosePrinter(printer, this))
        return;
    const DateTime now = Clock::system().now();
    const QString printedAt = QString::fromStdString(Values::dateToText(now)) +
                              QStringLiteral(" %1:%2")
                                  .arg(now.hour, 2, 10, QLatin1Char('0'))
                                  .arg(now.minute, 2, 10, QLatin1Char('0'));
    if (ReportPrinter(*m_sheet, m_chart->makeCharts(), printedAt).print(printer) == 0)
        MessageBoxes::instance().inform(this, QStringLiteral("打印失败，请检查打印机后重试。"),
                                        MessageBoxes::Icon::Warning);
}
