#include "reports/ReportMath.h"

#include "storage/values/Values.h"

#include <cmath>

namespace ReportMath {

std::string padMonth(const std::string& month) {
    return month.size() >= 2 ? month : std::string(2 - month.size(), '0') + month;
}

std::string monthKey(const std::string& year, const std::string& month) {
    return year + "-" + padMonth(month);
}

std::string average(double sum, long long count) {
    return Values::numberToText(Values::roundTo(count == 0 ? 0 : sum / count, 1));
}

void ChartMaximum::add(double amount, double count) {
    if (amount - m_maximum > 1e-7)
        m_maximum = std::trunc(amount);
    else if (count > m_maximum)
        m_maximum = count;
}

long long ChartMaximum::axisMaximum() const {
    const double q = m_maximum / 100;
    if (q - std::trunc(q) > 1e-7)
        return (static_cast<long long>(q) + 1) * 100;
    return static_cast<long long>(m_maximum);
}

} // namespace ReportMath
