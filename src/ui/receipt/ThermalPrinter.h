#pragma once
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class PrintJob;
class QWidget;
class ReceiptCanvas;
struct PrinterConnection;
struct PrinterSettings;
struct ReceiptOrder;
struct ReceiptSettings;

// Prints straight to an ESC/POS thermal printer, without a dialog. A receipt
// counts as printed once the printer has taken all of it; a printer that
// fails or stalls is named with the likely cause within its time limits.
class ThermalPrinter {
  public:
    explicit ThermalPrinter(QWidget* parent) : m_parent(parent) {}

    // One copy, or with copies the number the receipt settings ask for, the
    // first with the top and bottom pictures. The drawer opens only when
    // `settling` a new order paid in cash. False when the printer did not
    // take all of it.
    bool printReceipt(const ReceiptSettings& settings, const PrinterSettings& printer,
                      const ReceiptOrder& order, bool withCopies, bool settling);
    // The same receipt handed to the printer's queue without waiting for it;
    // null, the cashier told, when it cannot go.
    std::shared_ptr<PrintJob> startReceipt(const ReceiptSettings& settings,
                                           const PrinterSettings& printer,
                                           const ReceiptOrder& order, bool withCopies,
                                           bool settling);
    // The printer as the cashier is told of it.
    static std::string connectionText(const PrinterSettings& printer);
    // A short page naming the connection and the paper width.
    bool printTestPage(const PrinterSettings& printer, int receiptType);
    // A pulse on the drawer connector of the printer, nothing printed.
    bool openDrawer(const PrinterSettings& printer);
    // One copy of what `compose` draws on the receipt's paper (a handover
    // slip), the drawer pulse after it when `drawer`. `title` names it to
    // the cashier when it does not print.
    bool printSlip(const PrinterSettings& printer, int receiptType,
                   const std::function<void(ReceiptCanvas&, int&)>& compose, const QString& title,
                   bool drawer);

  private:
    // Draws with the printer's font or as a picture, as the settings say.
    using Compose = std::function<void(ReceiptCanvas& canvas, int& y)>;
    static std::vector<unsigned char> build(const PrinterSettings& printer, int paperDots,
                                            int copies, bool drawer,
                                            const std::function<Compose(bool firstCopy)>& copy);
    // What the cashier is told about a page that did not print.
    struct Page {
        QString title;   // "第12号小票", "测试页": also the job's name
        QString whatNow; // what the cashier can do about it
        // A printer that stopped half way may have printed part of the page.
        QString failed = QStringLiteral("可能没有打印出来。");
    };
    static std::vector<unsigned char> receiptBytes(const ReceiptSettings& settings,
                                                   const PrinterSettings& printer,
                                                   const ReceiptOrder& order, bool withCopies,
                                                   bool settling);
    static Page receiptPage(const ReceiptOrder& order, bool withCopies);
    std::shared_ptr<PrintJob> submit(const PrinterSettings& printer,
                                     std::vector<unsigned char> bytes, const Page& page);
    bool send(const PrinterSettings& printer, std::vector<unsigned char> bytes, const Page& page);

    QWidget* m_parent;
};
