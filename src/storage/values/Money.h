#pragma once
#include <string>

// An amount of money in whole fen: what the cashier typed, what is stored and
// what every sum adds, free of the drift of binary fractions.
class Money {
  public:
    constexpr Money() = default;
    static constexpr Money fromFen(long long fen) {
        Money money;
        money.m_fen = fen;
        return money;
    }
    // The nearest fen, halves away from zero; what is not a finite number is 0.
    static Money fromYuan(double yuan);
    // The leading number of a text as an amount box holds it ("15.5", " 12.50",
    // "3元"), to the nearest fen; no number is 0.
    static Money fromText(const std::string& text);

    constexpr long long fen() const { return m_fen; }
    double yuan() const { return static_cast<double>(m_fen) / 100; }
    // Yuan with up to two decimals and no trailing zeros: "15.5", "16", "-0.05".
    std::string text() const;

    constexpr Money operator+(Money other) const { return fromFen(m_fen + other.m_fen); }
    constexpr Money operator-(Money other) const { return fromFen(m_fen - other.m_fen); }
    constexpr Money operator-() const { return fromFen(-m_fen); }
    constexpr Money operator*(long long count) const { return fromFen(m_fen * count); }
    constexpr Money& operator+=(Money other) {
        m_fen += other.m_fen;
        return *this;
    }
    constexpr bool operator==(const Money&) const = default;
    constexpr bool operator<(Money other) const { return m_fen < other.m_fen; }

  private:
    long long m_fen = 0;
};
