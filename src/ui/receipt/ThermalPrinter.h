#pragma once
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

class PrintJob;
class QWidget;
class ReceiptCanvas;
struct PrinterConnection;
struct PrinterSettings;
struct ReceiptOrder;
struct ReceiptSettings;

// Prints straight to an ESC/POS thermal printer, without a dialog. A printer
// that fails is named with the likely cause within a few seconds; a receipt
// that is still printing then goes on without holding up the window.
class ThermalPrinter {
  public:
    // The window waits this long for the printer before it tells the cashier.
    static constexpr std::chrono::milliseconds answerLimit{2700};

    explicit ThermalPrinter(QWidget* parent) : m_parent(parent) {}

    // One copy, or with copies the number the receipt settings ask for, the
    // first with the top and bottom pictures. The drawer opens only when
    // `settling` a new order. False when nothing printed.
    bool printReceipt(const ReceiptSettings& settings, const PrinterSettings& printer,
                      const ReceiptOrder& order, bool withCopies, bool settling);
    // A short page naming the connection and the paper width.
    bool printTestPage(const PrinterSettings& printer, int receiptType);

  private:
    // Draws with the printer's font or as a picture, as the settings say.
    using Compose = std::function<void(ReceiptCanvas& canvas, int& y)>;
    static std::vector<unsigned char> build(const PrinterSettings& printer, int paperDots,
                                            int copies, bool settling,
                                            const std::function<Compose(bool firstCopy)>& copy);
    // What the cashier is told about a page that did not print.
    struct Page {
        QString what;         // "第12号小票", "测试页"
        QString whatNow;      // when the window learns it at once
        QString whatNowLater; // when the page failed after the window went on
    };
    bool send(const PrinterSettings& printer, std::vector<unsigned char> bytes, const Page& page);
    // Tells the cashier if a job still printing fails after all.
    void watch(std::shared_ptr<PrintJob> job, const QString& connection, const Page& page);

    QWidget* m_parent;
};
