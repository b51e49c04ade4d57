#pragma once
#include <functional>
#include <memory>
#include <string>

class Database;
class PrintJob;
class QPainter;
class QPrinter;
class QWidget;
class ReceiptPictures;
struct ReceiptOrder;
struct ReceiptSettings;

// Prints receipts: the print dialog for the first copy, further copies
// silently to the same printer without the top and bottom pictures; or,
// when the settings name a thermal printer, straight to it without a dialog.
class ReceiptPrinter {
  public:
    ReceiptPrinter(Database& db, QWidget* parent) : m_db(db), m_parent(parent) {}

    // One copy, or with copies the number the receipt settings ask for.
    // False when the dialog was cancelled, startJob (called once the printer
    // is chosen) refused, or a job could not start. `settling` a new order
    // may open the cash drawer, nothing else does.
    bool printReceipt(const ReceiptOrder& order, bool withCopies, bool settling = false,
                      const std::function<bool()>& startJob = {});

    // The same receipt, without waiting for a thermal printer: its job is
    // under way and tells its end itself. Through the print dialog it is
    // printed, or not, before this returns.
    struct Start {
        bool printed = false;
        std::shared_ptr<PrintJob> job; // under way, when set
        std::string printer;           // the thermal printer it went to
    };
    Start startReceipt(const ReceiptOrder& order, bool withCopies, bool settling,
                       const std::function<bool()>& startJob = {});

    // Page units: one is a tenth of a millimetre.
    static constexpr double unitsPerPoint = 254.0 / 72;
    static constexpr double unitsPerPicturePixel = 254.0 / 96;

  private:
    struct Copy {
        const ReceiptSettings& settings;
        const ReceiptOrder& order;
        const ReceiptPictures& pictures;
        bool withPictures;
    };
    static int draw(QPrinter& printer, QPainter* painter, const Copy& copy);
    static void fitPdfPage(QPrinter& printer, const Copy& copy);

    Database& m_db;
    QWidget* m_parent;
};
