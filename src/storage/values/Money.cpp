#include "storage/values/Money.h"

#include "storage/values/Values.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace {

// Far beyond any amount a column holds, and still exact in a double.
constexpr double largestFen = 9e15;

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

} // namespace

Money Money::fromYuan(double yuan) {
    const double fen = std::round(yuan * 100);
    if (!std::isfinite(fen))
        return {};
    return fromFen(static_cast<long long>(std::clamp(fen, -largestFen, largestFen)));
}

// Read digit by digit, so that "1.005" is 1.01 as the cashier means it, not
// the 1.00 its nearest binary fraction would round to.
Money Money::fromText(const std::string& text) {
    const std::string t = Values::trim(text);
    std::size_t i = 0;
    const bool negative = i < t.size() && t[i] == '-';
    if (i < t.size() && (t[i] == '-' || t[i] == '+'))
        ++i;
    const std::size_t wholeStart = i;
    while (i < t.size() && isDigit(t[i]))
        ++i;
    const std::string whole = t.substr(wholeStart, i - wholeStart);
    std::string fraction;
    if (i < t.size() && t[i] == '.')
        for (++i; i < t.size() && isDigit(t[i]); ++i)
            fraction += t[i];
    const bool exponent = i < t.size() && (t[i] == 'e' || t[i] == 'E');
    if (exponent || whole.size() > 13)
        return fromYuan(Values::textToNumber(t));
    if (whole.empty() && fraction.empty())
        return {};
    long long fen = std::atoll(whole.c_str()) * 100;
    fen += fraction.size() > 0 ? (fraction[0] - '0') * 10 : 0;
    fen += fraction.size() > 1 ? fraction[1] - '0' : 0;
    if (fraction.size() > 2 && fraction[2] >= '5')
        ++fen;
    return fromFen(negative ? -fen : fen);
}

std::string Money::text() const {
    const long long size = m_fen < 0 ? -m_fen : m_fen;
    std::string out = (m_fen < 0 ? "-" : "") + std::to_string(size / 100);
    const long long cents = size % 100;
    if (cents == 0)
        return out;
    out += "." + std::to_string(cents / 10);
    if (cents % 10 != 0)
        out += std::to_string(cents % 10);
    return out;
}
