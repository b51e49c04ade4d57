#pragma once

class QApplication;

// The look of every window: Fusion, a Chinese face, and one style sheet.
namespace AppStyle {
void apply(QApplication& app);
}
