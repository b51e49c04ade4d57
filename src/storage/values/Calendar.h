#pragma once

namespace Calendar {

// 0 for a month that does not exist.
int daysInMonth(int year, int month);

} // namespace Calendar
