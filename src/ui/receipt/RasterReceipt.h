#pragma once
#include "printer/MonoBitmap.h"

#include <functional>

class ReceiptCanvas;

// A receipt drawn as the preview draws it, at the thermal printer's 203
// dots per inch and one bit per dot, for printers without a Chinese font.
namespace RasterReceipt {

// Nine points, the receipt's normal size, are as tall as the printer's own
// font, so a line holds as many characters as in text mode.
constexpr double dotsPerPoint = 24.0 / 9;

// Runs `draw` once to measure the height and once to draw; it is given
// the canvas and the cursor, which it leaves below what it drew.
MonoBitmap render(int paperDots, const std::function<void(ReceiptCanvas&, int& y)>& draw);

} // namespace RasterReceipt
