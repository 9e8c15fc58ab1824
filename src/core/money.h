#pragma once

#include <QString>
#include <QtGlobal>

#include <compare>
#include <limits>
#include <optional>
#include <string_view>

// An amount in ten-thousandths of the currency unit. Sums are exact; a product
// with a rate goes through double and is rounded back to four decimals, ties to
// even, decided on the decimal value the double stands for (15 significant digits).
class Money final
{
public:
    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 tenThousandths) { return Money(tenThousandths); }
    static constexpr Money max() { return Money(std::numeric_limits<qint64>::max()); }
    static constexpr Money min() { return Money(std::numeric_limits<qint64>::min()); }

    // Saturates: NaN gives zero, infinities and values beyond the range give max()
    // or min(), so no amount ever wraps round to the other sign.
    static Money fromDouble(double value);
    // nullopt for NaN, infinities and values beyond the range.
    static std::optional<Money> tryFromDouble(double value);
    // Plain decimal text as the record files hold it ("-12.5", "1e3", "." as the
    // decimal point, no grouping); exact, ties to even beyond four decimals.
    static std::optional<Money> fromPlainText(QStringView text);

    constexpr qint64 units() const { return m_units; }
    double toDouble() const;
    constexpr bool isZero() const { return m_units == 0; }
    // The exact value as plain decimal text with four decimals ("-12.5000").
    QString toPlainText() const;

    Money times(double rate) const;
    // A zero divisor gives zero rather than a saturated amount.
    Money dividedBy(double divisor) const;

    // Sums saturate at max() and min() as fromDouble() does, so an amount never wraps
    // round to the other sign; plus() and minus() say when the exact sum does not fit.
    constexpr std::optional<Money> plus(Money o) const
    {
        qint64 sum = 0;
        if (__builtin_add_overflow(m_units, o.m_units, &sum))
            return std::nullopt;
        return Money(sum);
    }
    constexpr std::optional<Money> minus(Money o) const
    {
        qint64 difference = 0;
        if (__builtin_sub_overflow(m_units, o.m_units, &difference))
            return std::nullopt;
        return Money(difference);
    }
    constexpr Money operator+(Money o) const
    {
        return plus(o).value_or(o.m_units < 0 ? min() : max());
    }
    constexpr Money operator-(Money o) const
    {
        return minus(o).value_or(o.m_units > 0 ? min() : max());
    }
    constexpr Money operator-() const { return Money() - *this; }
    constexpr Money &operator+=(Money o) { return *this = *this + o; }
    constexpr Money &operator-=(Money o) { return *this = *this - o; }
    constexpr auto operator<=>(const Money &) const = default;

private:
    constexpr explicit Money(qint64 units) : m_units(units) {}
    qint64 m_units = 0;
};

namespace decimaltext {

// The value of plain ASCII decimal text ("[+-]digits[.digits][(e|E|d|D)[+-]digits]",
// at least one mantissa digit) times 10^decimals, rounded exactly to a whole number,
// ties to even; nullopt when the text is malformed or the result is beyond 64 bits.
std::optional<qint64> roundScaled(std::string_view text, int decimals);

} // namespace decimaltext
