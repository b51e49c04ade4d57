#pragma once
#include <string>

// Figures and period texts shared by the income and sales reports.
namespace ReportMath {

// "5" -> "05": a month or quarter month as the period keys write it.
std::string padMonth(const std::string& month);
// "2017", "5" -> "2017-05".
std::string monthKey(const std::string& year, const std::string& month);
// sum / count rounded half away from zero to one decimal, as text ("25.5", "25").
std::string average(double sum, long long count);

// The highest figure a line chart must show and its axis top, rounded up
// to whole hundreds: 1234.5 -> 1300, 300 -> 300.
class ChartMaximum {
  public:
    void add(double amount, double count);
    long long axisMaximum() const;

  private:
    double m_maximum = 0;
};

} // namespace ReportMath
