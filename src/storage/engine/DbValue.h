#pragma once
#include "storage/values/DateTime.h"
#include <cstdint>
#include <string>

// One column value of a record set, carrying the column's own type.
// The empty value stands for Null, a read past the end and a read on handle 0.
class DbValue {
  public:
    enum class Type { Empty, Byte, Int16, Int32, Single, Double, Logical, Text, DateTime };

    DbValue() = default;
    static DbValue integer(Type type, std::int64_t v);
    static DbValue real(Type type, double v);
    static DbValue logical(bool v);
    static DbValue text(std::string v);
    static DbValue dateTime(const ::DateTime& v);

    Type type() const { return m_type; }
    bool isEmpty() const { return m_type == Type::Empty; }

    // Numbers give "%.13g", date-times the full date-time text, logicals "真"/"假".
    std::string toText() const;
    double toNumber() const;
    int toInt() const;
    ::DateTime toDateTime() const;

  private:
    Type m_type = Type::Empty;
    std::int64_t m_int = 0;
    double m_real = 0;
    std::string m_text;
    ::DateTime m_dateTime;
};
