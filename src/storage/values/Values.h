#pragma once
#include "storage/values/DateTime.h"
#include <optional>
#include <string>

// The conversions every value passes on its way into or out of a statement or a field.
namespace Values {

std::string numberToText(double v);           // "%.13g": 15.5 -> "15.5", 16.0 -> "16"
double textToNumber(const std::string& text); // leading numeric prefix, as atof
int textToInt(const std::string& text);       // leading numeric prefix, as atoi
// The whole text (blanks around it aside) as one decimal number, else nothing:
// how a number column takes a text value.
std::optional<double> textAsNumber(const std::string& text);
int truncateToInt(double v);                    // toward zero
std::string dateTimeToText(const DateTime& dt); // "2017年5月15日12时30分"
std::string dateToText(const DateTime& dt);     // "2017年5月15日"
std::string trim(const std::string& text);      // ASCII blanks and the full-width "　"
double roundTo(double v, int decimals);         // half away from zero, with a 1e-12 nudge

// The one way a text value enters a statement: the text between single quotes,
// with every single quote inside doubled. sqlQuote("Joe's") == "'Joe''s'".
std::string sqlQuote(const std::string& text);

} // namespace Values
