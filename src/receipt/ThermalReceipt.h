#pragma once
#include <functional>
#include <string>
#include <vector>

class EscPosJob;
class ReceiptCanvas;
struct PrinterSettings;

// What an ESC/POS printer is sent: the copies of a receipt, each cut off
// when the cashier wants it, and the drawer pulse only where money is taken.
namespace ThermalReceipt {

// The width the receipt is laid out on, in dots: 384 on 58 mm paper, 576 on 80 mm.
int paperDots(int receiptType);

// Draws one copy onto the job; the first copy carries the top and bottom pictures.
using DrawCopy = std::function<void(EscPosJob& job, bool firstCopy)>;

// Whether settling an order paid so opens the drawer: only cash goes into
// it, and only when the cashier ticked it; a reprint never opens it.
bool opensDrawer(const PrinterSettings& printer, bool settling, const std::string& paymentMethod);

// The whole job, with the drawer pulse after the first copy when `drawer`.
std::vector<unsigned char> build(const PrinterSettings& printer, int copies, bool drawer,
                                 const DrawCopy& drawCopy);

// Draws on a canvas from the top; the cursor is left below what was drawn.
using Compose = std::function<void(ReceiptCanvas& canvas, int& y)>;

// Prints what `compose` draws in the printer's own font.
void printText(EscPosJob& job, int paperDots, const Compose& compose);

// A short page that names the connection and the paper, with a ruler to
// check the characters per line.
void composeTestPage(ReceiptCanvas& canvas, int paperWidth, const std::string& connection,
                     int receiptType, int& y);

} // namespace ThermalReceipt
