#include "ui/reports/PeriodReports.h"

namespace {

PeriodReports* g_takingOver = nullptr;

} // namespace

PeriodReports::PeriodReports() {
    g_takingOver = this;
}

PeriodReports::~PeriodReports() {
    if (g_takingOver == this)
        g_takingOver = nullptr;
}

PeriodReports* PeriodReports::takingOver() {
    return g_takingOver;
}
