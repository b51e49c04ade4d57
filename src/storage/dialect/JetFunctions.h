#pragma once
#include "storage/values/DateTime.h"
#include <string>

struct sqlite3;
class Clock;

// The Access functions and value conversions that translated statements call
// at run time (jet_format, jet_cdate, jet_datetime, jet_whole, jet_single,
// jet_number, jet_yesno). `clock` completes dates written without a year and
// must outlive the connection.
namespace JetFunctions {

bool registerAll(sqlite3* db, const Clock* clock);

// Access format() of a date-time with the patterns y, yy, yyyy, q, m, mm, d,
// dd, h, hh, n, nn, s, ss; m after h means minutes; other characters stand as they are.
std::string formatDateTime(const DateTime& dt, const std::string& pattern);

} // namespace JetFunctions
