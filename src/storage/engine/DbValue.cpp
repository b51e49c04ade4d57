#include "storage/engine/DbValue.h"
#include "storage/values/Values.h"
#include <cmath>

namespace {

// Days from 1899-12-30, the origin of Access date numbers.
long long dayNumber(int year, int month, int day) {
    // Days from civil (proleptic Gregorian), shifted so that 1899-12-30 is 0.
    year -= month <= 2;
    long long era = (year >= 0 ? year : year - 399) / 400;
    long long yearOfEra = year - era * 400;
    long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468 + 25569;
}

} // namespace

DbValue DbValue::integer(Type type, std::int64_t v) {
    DbValue value;
    value.m_type = type;
    value.m_int = v;
    value.m_real = static_cast<double>(v);
    return value;
}

DbValue DbValue::real(Type type, double v) {
    DbValue value;
    value.m_type = type;
    value.m_real = v;
    return value;
}

DbValue DbValue::logical(bool v) {
    DbValue value;
    value.m_type = Type::Logical;
    value.m_int = v ? 1 : 0;
    value.m_real = value.m_int;
    return value;
}

DbValue DbValue::text(std::string v) {
    DbValue value;
    value.m_type = Type::Text;
    value.m_text = std::move(v);
    return value;
}

DbValue DbValue::dateTime(const ::DateTime& v) {
    DbValue value;
    value.m_type = Type::DateTime;
    value.m_dateTime = v;
    return value;
}

std::string DbValue::toText() const {
    switch (m_type) {
    case Type::Empty:
        return {};
    case Type::Byte:
    case Type::Int16:
    case Type::Int32:
        return std::to_string(m_int);
    case Type::Single:
    case Type::Double:
        return Values::numberToText(m_real);
    case Type::Logical:
        return m_int ? "真" : "假";
    case Type::Text:
        return m_text;
    case Type::DateTime:
        return Values::dateTimeToText(m_dateTime);
    }
    return {};
}

double DbValue::toNumber() const {
    switch (m_type) {
    case Type::Empty:
        return 0;
    case Type::Text:
        return Values::textToNumber(m_text);
    case Type::DateTime: {
        const ::DateTime& d = m_dateTime;
        double seconds = d.hour * 3600 + d.minute * 60 + d.second;
        return static_cast<double>(dayNumber(d.year, d.month, d.day)) + seconds / 86400.0;
    }
    default:
        return m_real;
    }
}

int DbValue::toInt() const {
    if (m_type == Type::Text)
        return Values::textToInt(m_text);
    return Values::truncateToInt(toNumber());
}

::DateTime DbValue::toDateTime() const {
    if (m_type == Type::DateTime)
        return m_dateTime;
    if (m_type == Type::Text)
        if (auto parsed = ::DateTime::fromCanonical(m_text))
            return *parsed;
    return {};
}
