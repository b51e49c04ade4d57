#pragma once

class Database;
class QWidget;
struct ShiftRecord;

// Prints a handover or day-close slip on the receipt printer at the
// receipt's paper width: straight to a thermal printer, with the drawer
// opened for a handover where the drawer hangs on it, or through the print
// dialog onto a page as wide as the receipt.
class ShiftPrinter {
  public:
    ShiftPrinter(Database& db, QWidget* parent) : m_db(db), m_parent(parent) {}

    // False when it did not print or the dialog was cancelled; the thermal
    // path has then told the cashier why.
    bool print(const ShiftRecord& record, bool openDrawer);

  private:
    bool printOnPage(const ShiftRecord& record, int paperWidth);

    Database& m_db;
    QWidget* m_parent;
};
