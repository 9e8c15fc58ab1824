#pragma once

#include <QtGlobal>

#include <compare>

// An amount in ten-thousandths of the currency unit. Sums are exact; a product
// with a rate goes through double and is rounded back to four decimals, ties to
// even, decided on the decimal value the double stands for (15 significant digits).
class Money final
{
public:
    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 tenThousandths) { return Money(tenThousandths); }
    static Money fromDouble(double value);

    constexpr qint64 units() const { return m_units; }
    double toDouble() const;
    constexpr bool isZero() const { return m_units == 0; }

    Money times(double rate) const;
    Money dividedBy(double divisor) const;

    constexpr Money operator+(Money o) const { return Money(m_units + o.m_units); }
    constexpr Money operator-(Money o) const { return Money(m_units - o.m_units); }
    constexpr Money operator-() const { return Money(-m_units); }
    constexpr Money &operator+=(Money o) { m_units += o.m_units; return *this; }
    constexpr Money &operator-=(Money o) { m_units -= o.m_units; return *this; }
    constexpr auto operator<=>(const Money &) const = default;

private:
    constexpr explicit Money(qint64 units) : m_units(units) {}
    qint64 m_units = 0;
};
