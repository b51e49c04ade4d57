#include "reports/DayPeriod.h"

namespace {

// Past every digit and dash: "2017" up to "2017~" holds every day of 2017.
std::string after(const std::string& prefix) {
    return prefix + "~";
}

} // namespace

DayPeriod DayPeriod::year(const std::string& year) {
    return {year, after(year), year};
}

DayPeriod DayPeriod::month(const std::string& monthKey) {
    return {monthKey, after(monthKey), monthKey};
}

DayPeriod DayPeriod::months(const std::string& from, const std::string& to) {
    return {from, to, {}};
}

// A year typed as "201" is no year: its days would pass the range.
bool DayPeriod::holds(const std::string& day) const {
    if (m_exact.empty())
        return !day.empty();
    const std::size_t length = m_exact.size() <= 4 ? 4 : 7;
    return day.compare(0, length, m_exact) == 0;
}

std::vector<KeptSumsReader::Day> DayPeriod::grouped(const std::vector<KeptSumsReader::Day>& days,
                                                    std::size_t keyLength) const {
    std::vector<KeptSumsReader::Day> rows;
    for (const KeptSumsReader::Day& day : days) {
        if (!holds(day.day))
            continue;
        const std::string key = day.day.substr(0, keyLength);
        if (rows.empty() || rows.back().day != key)
            rows.push_back({key, 0, {}});
        rows.back().count += day.count;
        rows.back().amount += day.amount;
    }
    return rows;
}
