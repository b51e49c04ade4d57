#pragma once
class QWidget;

// The chart player check. Charts are drawn by the built-in viewer, so the
// player is always there; the question is kept for a build without it.
namespace ChartHost {

// Non-zero when charts can be shown.
long long queryFlashVersion();
// Start-up and each report window call this once: when there is no viewer
// it asks whether to get one and opens the download page on Yes.
// True when charts can be shown.
bool checkChartPlayer(QWidget* parent);

} // namespace ChartHost
