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
#include <QTimer>
#include <algorithm>

namespace {

using namespace std::chrono_literals;

constexpr auto watchInterval = 250ms;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

void warn(QWidget* parent, const QString& text) {
    MessageBoxes::instance().inform(parent, text, MessageBoxes::Icon::Warning,
                                    QStringLiteral("提示"));
}

QString failure(const QString& what, const QString& connection, const QString& problem) {
    return what + QStringLiteral("没有打印出来。\n打印机：") + connection +
           QStringLiteral("\n原因：") + problem + QStringLiteral("。\n");
}

} // namespace

std::vector<unsigned char>
ThermalPrinter::build(const PrinterSettings& printer, int paperDots, int copies, bool settling,
                      const std::function<Compose(bool firstCopy)>& copy) {
    const bool text = printer.mode == PrinterSettings::Mode::Text;
    return ThermalReceipt::build(printer, copies, settling, [&](EscPosJob& job, bool first) {
        if (text)
            ThermalReceipt::printText(job, paperDots, copy(first));
        else
            job.printRaster(RasterReceipt::render(paperDots, copy(first)));
    });
}

bool ThermalPrinter::printReceipt(const ReceiptSettings& settings, const PrinterSettings& printer,
                                  const ReceiptOrder& order, bool withCopies, bool settling) {
    ReceiptSettings onPaper = settings;
    onPaper.paperWidth = ThermalReceipt::paperDots(settings.receiptType);
    const ReceiptPictures pictures(onPaper, onPaper.paperWidth, 1.0,
                                   ProgramFolder::path() + "/data");
    const int copies = withCopies ? std::max(1, settings.copies) : 1;
    auto bytes = build(printer, onPaper.paperWidth, copies, settling, [&](bool first) -> Compose {
        return [&, first](ReceiptCanvas& canvas, int& y) {
            composeCopy(onPaper, order, canvas, y, pictures, first);
        };
    });
    Page page;
    page.what = order.number.empty()
                    ? QStringLiteral("小票")
                    : QStringLiteral("第") + qs(order.number) + QStringLiteral("号小票");
    // F11 on an order not yet settled has stored nothing.
    page.whatNow = withCopies ? QStringLiteral("订单已保存，打印机恢复后按F11重新打印。")
                              : QStringLiteral("打印机恢复后再按F11打印。");
    page.whatNowLater = withCopies ? QStringLiteral("订单已保存，可在“历史订单”里打开它重新打印。")
                                   : QStringLiteral("打印机恢复后请重新打印。");
    return send(printer, std::move(bytes), page);
}

bool ThermalPrinter::printTestPage(const PrinterSettings& printer, int receiptType) {
    const int dots = ThermalReceipt::paperDots(receiptType);
    const auto connection = PrinterConnection::parse(printer.connection);
    const std::string named = connection ? connection->text() : printer.connection;
    PrinterSettings noDrawer = printer;
    noDrawer.openDrawer = false;
    auto bytes = build(noDrawer, dots, 1, false, [&](bool) -> Compose {
        return [&](ReceiptCanvas& canvas, int& y) {
            ThermalReceipt::composeTestPage(canvas, dots, named, receiptType, y);
        };
    });
    const QString again = QStringLiteral("请检查后再试。");
    return send(printer, std::move(bytes), {QStringLiteral("测试页"), again, again});
}

bool ThermalPrinter::send(const PrinterSettings& printer, std::vector<unsigned char> bytes,
                          const Page& page) {
    const auto connection = PrinterConnection::parse(printer.connection);
    if (!connection) {
        warn(m_parent, failure(page.what, qs(printer.connection),
                               QStringLiteral("热敏打印机的连接没有设置好，请在“打印设置”的"
                                              "“打印机”页填写")) +
                           page.whatNow);
        return false;
    }
    const QString named = qs(connection->text());
    auto job =
        PrintSpooler::instance().submit(*connection, std::move(bytes), page.what.toStdString());
    switch (job->waitFor(answerLimit)) {
    case PrintJob::State::Done:
        return true;
    case PrintJob::State::Failed:
        warn(m_parent, failure(page.what, named, qs(job->problem())) + page.whatNow);
        return false;
    case PrintJob::State::Opening:
        if (job->cancel()) {
            warn(m_parent, failure(page.what, named,
                                   QStringLiteral("打印机没有回应，可能没有开机，或连接写错了")) +
                               page.whatNow);
            return false;
        }
        break;
    case PrintJob::State::Waiting:
    case PrintJob::State::Sending:
        break;
    }
    watch(std::move(job), named, page);
    return true;
}

void ThermalPrinter::watch(std::shared_ptr<PrintJob> job, const QString& connection,
                           const Page& page) {
    auto* timer = new QTimer(m_parent ? static_cast<QObject*>(m_parent) : qApp);
    QWidget* parent = m_parent;
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        const PrintJob::State state = job->state();
        if (state != PrintJob::State::Done && state != PrintJob::State::Failed)
            return;
        timer->stop();
        timer->deleteLater();
        if (state == PrintJob::State::Failed)
            warn(parent, failure(page.what, connection, qs(job->problem())) + page.whatNowLater);
    });
    timer->start(watchInterval);
}
