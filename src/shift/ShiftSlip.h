#pragma once
#include <string>
#include <vector>

class ReceiptCanvas;
struct ShiftRecord;

// The handover or day-close slip, as the receipt printer prints it and the
// windows show it: one "caption：value" line each.
namespace ShiftSlip {

struct Line {
    std::string caption;
    std::string value;
};

// Without `counted`, a handover's figures stop at the expected cash.
std::vector<Line> lines(const ShiftRecord& record, bool counted = true);
// Draws the slip from the top of a receipt of `paperWidth`; y is the cursor.
void compose(const ShiftRecord& record, ReceiptCanvas& canvas, int paperWidth, int& y);

} // namespace ShiftSlip
