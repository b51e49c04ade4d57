#pragma once

// Whether report windows can show their charts. The chart viewer is built
// into the program, so it is there whenever the program runs.
namespace ChartViewer {
bool available();
}
