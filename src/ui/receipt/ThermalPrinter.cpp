#include "ui/receipt/ThermalPrinter.h"

#include "printer/EscPosJob.h"
#include "printer/PrintSpooler.h"
#include "printer/PrinterConnection.h"
#include "receipt/PrinterSettings.h"
#include "receipt/ReceiptComposer.h"
#include "receipt/ReceiptOrder.h"
#include "receipt/ReceiptPictures.h"
#include "receipt/ReceiptSettings.h"
#include "receipt/ThermalReceipt.h"
#include "storage/config/ProgramFolder.h"
#include "ui/common/MessageBoxes.h"
#include "ui/receipt/RasterReceipt.h"

#include <QApplication>
#include <algorithm>

namespace {

using namespace std::chrono_literals;

// How often the window is painted while a printer takes a job.
constexpr auto paintInterval = 50ms;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

void warn(QWidget* parent, const QString& text) {
    MessageBoxes::instance().inform(parent, text, MessageBoxes::Icon::Warning,
                                    QStringLiteral("提示"));
}

QString failure(const QString& what, const QString& connection, const QString& problem) {
    return what + QStringLiteral("\n打印机：") + connection + QStringLiteral("\n原因：") + problem +
           QStringLiteral("。\n");
}

// Every step of the job has its time limit, so this ends. The window keeps
// painting meanwhile; what the cashier types waits for the outcome.
void awaitEnd(const PrintJob& job) {
    while (!job.finished()) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        job.waitFor(paintInterval);
    }
}

} // namespace

std::vector<unsigned char>
ThermalPrinter::build(const PrinterSettings& printer, int paperDots, int copies, bool drawer,
                      const std::function<Compose(bool firstCopy)>& copy) {
    const bool text = printer.mode == PrinterSettings::Mode::Text;
    return ThermalReceipt::build(printer, copies, drawer, [&](EscPosJob& job, bool first) {
        if (text)
            ThermalReceipt::printText(job, paperDots, copy(first));
        else
            job.printRaster(RasterReceipt::render(paperDots, copy(first)));
    });
}

std::vector<unsigned char> ThermalPrinter::receiptBytes(const ReceiptSettings& settings,
                                                        const PrinterSettings& printer,
                                                        const ReceiptOrder& order, bool withCopies,
                                                        bool settling) {
    ReceiptSettings onPaper = settings;
    onPaper.paperWidth = ThermalReceipt::paperDots(settings.receiptType);
    const ReceiptPictures pictures(onPaper, onPaper.paperWidth, 1.0,
                                   ProgramFolder::path() + "/data");
    const int copies = withCopies ? std::max(1, settings.copies) : 1;
    const bool drawer = ThermalReceipt::opensDrawer(printer, settling, order.paymentMethod);
    return build(printer, onPaper.paperWidth, copies, drawer, [&](bool first) -> Compose {
        return [&, first](ReceiptCanvas& canvas, int& y) {
            composeCopy(onPaper, order, canvas, y, pictures, first);
        };
    });
}

ThermalPrinter::Page ThermalPrinter::receiptPage(const ReceiptOrder& order, bool withCopies) {
    Page page;
    page.title = order.number.empty()
                     ? QStringLiteral("小票")
                     : QStringLiteral("第") + qs(order.number) + QStringLiteral("号小票");
    // F11 on an order not yet settled has stored nothing.
    page.whatNow = withCopies ? QStringLiteral("订单已保存，打印机恢复后按F11重新打印。")
                              : QStringLiteral("打印机恢复后再按F11打印。");
    return page;
}

bool ThermalPrinter::printReceipt(const ReceiptSettings& settings, const PrinterSettings& printer,
                                  const ReceiptOrder& order, bool withCopies, bool settling) {
    return send(printer, receiptBytes(settings, printer, order, withCopies, settling),
                receiptPage(order, withCopies));
}

std::shared_ptr<PrintJob> ThermalPrinter::startReceipt(const ReceiptSettings& settings,
                                                       const PrinterSettings& printer,
                                                       const ReceiptOrder& order, bool withCopies,
                                                       bool settling) {
    return submit(printer, receiptBytes(settings, printer, order, withCopies, settling),
                  receiptPage(order, withCopies));
}

std::string ThermalPrinter::connectionText(const PrinterSettings& printer) {
    const auto connection = PrinterConnection::parse(printer.connection);
    return connection ? connection->text() : printer.connection;
}

bool ThermalPrinter::printTestPage(const PrinterSettings& printer, int receiptType) {
    const int dots = ThermalReceipt::paperDots(receiptType);
    const std::string named = connectionText(printer);
    auto bytes = build(printer, dots, 1, false, [&](bool) -> Compose {
        return [&](ReceiptCanvas& canvas, int& y) {
            ThermalReceipt::composeTestPage(canvas, dots, named, receiptType, y);
        };
    });
    const QString again = QStringLiteral("请检查后再试。");
    return send(printer, std::move(bytes), {QStringLiteral("测试页"), again});
}

bool ThermalPrinter::printSlip(const PrinterSettings& printer, int receiptType,
                               const std::function<void(ReceiptCanvas&, int&)>& compose,
                               const QString& title, bool drawer) {
    const int dots = ThermalReceipt::paperDots(receiptType);
    auto bytes = build(printer, dots, 1, drawer, [&](bool) -> Compose {
        return [&](ReceiptCanvas& canvas, int& y) { compose(canvas, y); };
    });
    return send(printer, std::move(bytes),
                {title, QStringLiteral("已保存，打印机恢复后可在“交班记录”中重打。")});
}

bool ThermalPrinter::openDrawer(const PrinterSettings& printer) {
    EscPosJob job;
    job.initialise();
    job.openDrawer();
    return send(printer, job.bytes(),
                {QStringLiteral("钱箱"), QStringLiteral("请检查打印机和钱箱的连线后再试。"),
                 QStringLiteral("可能没有打开。")});
}

std::shared_ptr<PrintJob> ThermalPrinter::submit(const PrinterSettings& printer,
                                                 std::vector<unsigned char> bytes,
                                                 const Page& page) {
    const auto connection = PrinterConnection::parse(printer.connection);
    if (!connection) {
        warn(m_parent, failure(page.title + page.failed, qs(printer.connection),
                               QStringLiteral("热敏打印机的连接没有设置好，请在“打印设置”的"
                                              "“打印机”页填写")) +
                           page.whatNow);
        return nullptr;
    }
    return PrintSpooler::instance().submit(*connection, std::move(bytes), page.title.toStdString());
}

bool ThermalPrinter::send(const PrinterSettings& printer, std::vector<unsigned char> bytes,
                          const Page& page) {
    const auto job = submit(printer, std::move(bytes), page);
    if (!job)
        return false;
    awaitEnd(*job);
    if (job->state() == PrintJob::State::Done)
        return true;
    warn(m_parent,
         failure(page.title + page.failed, qs(connectionText(printer)), qs(job->problem())) +
             page.whatNow);
    return false;
}
