#include "ReportTestSupport.h"

#include "spreadsheet/XlsxReader.h"
#include "support/PdfTools.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedPrintDialogs.h"
#include "ui/reports/IncomeReportWindow.h"
#include "ui/reports/SalesReportWindow.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

// Set TABLEWISE_REPORT_SAMPLES to a folder to keep the printed and exported
// year report there for looking at.
namespace {

class ReportOutputTest : public ReportWindowTest {
  protected:
    void addOrders(const char* month, int count, int paid, int days = 28) {
        ASSERT_TRUE(db.begin());
        for (int i = 0; i < count; ++i)
            execute("insert into 存单 (时间,实付) values ('2017-" + std::string(month) + "-" +
                    std::to_string(1 + i % days) + " 12:" + std::to_string(10 + i % 50) + ":00'," +
                    std::to_string(paid) + ")");
        ASSERT_TRUE(db.commit());
    }
    // Six months of 2017 with twenty orders of 30 each.
    void showYearReport(IncomeReportWindow& window) {
        for (const char* month : {"01", "03", "04", "07", "08", "11"})
            addOrders(month, 20, 30);
        ASSERT_TRUE(window.showYearIncomeReport(QStringLiteral("2017")));
    }
    // The legend entries ("01月"…) of a printed page that show whole: rendered
    // at 144 dpi, the lowest third of each entry's box holds ink.
    static QStringList wholeLegendEntries(const QString& pdf, int page) {
        const QString number = QString::number(page);
        const QString boxes =
            PdfTools::run("pdftotext", {"-bbox", "-f", number, "-l", number, pdf, "-"});
        const QString picture = pdf + "-" + number;
        PdfTools::run("pdftoppm", {"-png", "-r", "144", "-f", number, "-l", number, "-singlefile",
                                   pdf, picture});
        const QImage image(picture + ".png");
        static const QRegularExpression word(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(\d\d月)<)re");
        QStringList whole;
        for (const auto& found : word.globalMatch(boxes)) {
            const auto at = [&](int i) {
                return static_cast<int>(found.captured(i).toDouble() * 2);
            };
            int ink = 0;
            for (int y = at(4) - (at(4) - at(2)) / 3; y < at(4); ++y)
                for (int x = at(1); x < at(3); ++x)
                    ink += image.valid(x, y) && qGray(image.pixel(x, y)) < 150;
            if (ink > 0)
                whole << found.captured(5);
        }
        return whole;
    }
    static void keep(const QString& path) {
        const QString samples = qEnvironmentVariable("TABLEWISE_REPORT_SAMPLES");
        if (!samples.isEmpty())
            QFile::copy(path, samples + "/" + QFileInfo(path).fileName());
    }
};

TEST_F(ReportOutputTest, YearReportIsExportedWithItsTitleAsTheSuggestedName) {
    IncomeReportWindow window(db);
    showYearReport(window);
    ScriptedFileDialogs files(filePath(QStringLiteral("年报表.xlsx")));
    click(&window, "按钮_导出");
    EXPECT_EQ(files.suggestedName, QStringLiteral("2017年 年报表.xlsx"));
    EXPECT_EQ(boxes.lastText(), QStringLiteral("导出完成。"));
    const auto table = XlsxReader::readFirstSheet(files.path.toStdString());
    ASSERT_TRUE(table && table->size() == 2 + 6 + 3);
    EXPECT_EQ((*table)[2], (std::vector<std::string>{"2017-01", "600", "20", "30"}));
    keep(files.path);

    files.path = filePath(QStringLiteral("无此目录/年报表.xlsx"));
    click(&window, "按钮_导出");
    EXPECT_TRUE(boxes.lastText().startsWith(QStringLiteral("导出失败，无法写入文件：")));
    EXPECT_EQ(boxes.shown.last().icon, MessageBoxes::Icon::Warning);
}

TEST_F(ReportOutputTest, PrintedYearReportHasGridAndBothPiesUnderItsTitle) {
    IncomeReportWindow window(db);
    showYearReport(window);
    ScriptedPrintDialogs printer(filePath(QStringLiteral("年报表.pdf")));
    click(&window, "按钮_打印");
    ASSERT_EQ(printer.shown, 1);
    const int pages = PdfTools::pages(printer.pdfPath);
    ASSERT_GE(pages, 1);
    QString all;
    for (int page = 1; page <= pages; ++page) {
        const QString text = PdfTools::text(printer.pdfPath, page);
        EXPECT_TRUE(text.contains(QStringLiteral("2017年 年报表"))) << page;
        EXPECT_TRUE(text.contains(QStringLiteral("打印日期："))) << page;
        EXPECT_TRUE(text.contains(QStringLiteral("共 %1 页").arg(pages))) << page;
        all += text;
    }
    for (const char* expected :
         {"本年度总计收入：3600", "2017-11", "2017年 年收入参考", "2017年 开单数量参考"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(expected))) << expected;
    keep(printer.pdfPath);
}

TEST_F(ReportOutputTest, AReportOfOneTillIsPrintedAndExportedUnderItsName) {
    addOrders("01", 20, 30);
    addOrders("03", 10, 15);
    execute("update 存单 set 收银台='二号台' where 时间>=#2017-03-01#");
    IncomeReportWindow window(db);
    ASSERT_TRUE(window.showYearIncomeReport(QStringLiteral("2017")));
    window.tillFilter()->setCurrentText(QStringLiteral("二号台"));
    ASSERT_EQ(window.caption()->text(), QStringLiteral("正在浏览:2017年 年报表 收银台：二号台"));
    ScriptedFileDialogs files(filePath(QStringLiteral("二号台.xlsx")));
    click(&window, "按钮_导出");
    EXPECT_EQ(files.suggestedName, QStringLiteral("2017年 年报表 收银台：二号台.xlsx"));
    const auto table = XlsxReader::readFirstSheet(files.path.toStdString());
    ASSERT_TRUE(table && table->size() == 2 + 1 + 3);
    EXPECT_EQ((*table)[0][0], "2017年 年报表 收银台：二号台");
    EXPECT_EQ((*table)[2], (std::vector<std::string>{"2017-03", "150", "10", "15"}));
    ScriptedPrintDialogs printer(filePath(QStringLiteral("二号台.pdf")));
    click(&window, "按钮_打印");
    ASSERT_EQ(printer.shown, 1);
    for (int page = 1; page <= PdfTools::pages(printer.pdfPath); ++page)
        EXPECT_TRUE(PdfTools::text(printer.pdfPath, page)
                        .contains(QStringLiteral("2017年 年报表 收银台：二号台")))
            << page;
}

// Twelve months make twelve legend entries beside each pie: on A4 each is
// there whole, in both pies.
TEST_F(ReportOutputTest, PrintedPiesShowEveryLegendEntryWhole) {
    IncomeReportWindow window(db);
    for (int month = 1; month <= 12; ++month)
        addOrders(QString::asprintf("%02d", month).toUtf8().constData(), 5 + month, 30);
    ASSERT_TRUE(window.showYearIncomeReport(QStringLiteral("2017")));
    ScriptedPrintDialogs printer(filePath(QStringLiteral("十二个月.pdf")));
    click(&window, "按钮_打印");
    ASSERT_EQ(printer.shown, 1);
    QStringList whole;
    for (int page = 1; page <= PdfTools::pages(printer.pdfPath); ++page)
        whole << wholeLegendEntries(printer.pdfPath, page);
    for (int month = 1; month <= 12; ++month) {
        const QString entry = QString::asprintf("%02d", month) + QStringLiteral("月");
        EXPECT_EQ(whole.count(entry), 2) << entry.toStdString();
    }
    keep(printer.pdfPath);
}

TEST_F(ReportOutputTest, ALongDayReportGoesOnOverPagesWithItsHeadingsAgain) {
    addOrders("05", 90, 12, 1);
    IncomeReportWindow window(db);
    ASSERT_TRUE(window.showDayIncomeReport(QStringLiteral("2017年5月1日")));
    ScriptedPrintDialogs printer(filePath(QStringLiteral("日报表.pdf")));
    click(&window, "按钮_打印");
    const int pages = PdfTools::pages(printer.pdfPath);
    ASSERT_GE(pages, 2);
    for (int page = 1; page <= pages; ++page) {
        const QString text = PdfTools::text(printer.pdfPath, page);
        EXPECT_TRUE(text.contains(QStringLiteral("2017年5月1日 点单报表"))) << page;
        EXPECT_TRUE(text.contains(QStringLiteral("实付"))) << page;
    }
    EXPECT_TRUE(PdfTools::text(printer.pdfPath, pages).contains(QStringLiteral("点单数量：90")));

    printer.cancel = true;
    QFile::remove(printer.pdfPath);
    click(&window, "按钮_打印");
    EXPECT_FALSE(QFile::exists(printer.pdfPath));
}

} // namespace
