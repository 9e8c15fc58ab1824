#include "core/money.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace decimaltext {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Exponents this far out already put any non-zero value beyond 64 bits or below half
// a unit; saturating keeps the arithmetic below from overflowing.
constexpr long long ExponentLimit = 1'000'000'000;

} // namespace

std::optional<qint64> roundScaled(std::string_view text, int decimals)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    // value = significant × 10^exponent, significant without leading zeros
    std::string significant;
    long long exponent = 0;
    bool anyDigit = false;
    bool seenPoint = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            anyDigit = true;
            if (seenPoint)
                --exponent;
            if (!significant.empty() || c != '0')
                significant.push_back(c);
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return std::nullopt;

    if (i < text.size()) {
        const char c = text[i];
        if (c != 'e' && c != 'E' && c != 'd' && c != 'D')
            return std::nullopt;
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        if (i == text.size())
            return std::nullopt;
        long long written = 0;
        for (; i < text.size(); ++i) {
            if (!isDigit(text[i]))
                return std::nullopt;
            if (written < ExponentLimit)
                written = written * 10 + (text[i] - '0');
        }
        exponent += negativeExponent ? -written : written;
    }

    if (significant.empty())
        return 0;

    const long long length = static_cast<long long>(significant.size());
    // digits of the scaled value before its decimal point
    const long long integerLength = length + exponent + decimals;
    if (integerLength > 19)
        return std::nullopt;

    quint64 magnitude = 0;
    for (long long k = 0; k < integerLength; ++k)
        magnitude = magnitude * 10 + (k < length ? quint64(significant[std::size_t(k)] - '0') : 0);

    if (integerLength < length && integerLength >= 0) {
        const auto first = std::size_t(integerLength);
        const char next = significant[first];
        bool up = next > '5';
        if (next == '5') {
            const bool beyondHalf =
                significant.find_first_not_of('0', first + 1) != std::string::npos;
            up = beyondHalf || (magnitude & 1) != 0;
        }
        if (up)
            ++magnitude;
    }

    constexpr quint64 positiveLimit = quint64(std::numeric_limits<qint64>::max());
    if (negative) {
        if (magnitude > positiveLimit + 1)
            return std::nullopt;
        return magnitude == positiveLimit + 1 ? std::numeric_limits<qint64>::min()
                                              : -qint64(magnitude);
    }
    if (magnitude > positiveLimit)
        return std::nullopt;
    return qint64(magnitude);
}

} // namespace decimaltext

std::optional<Money> Money::tryFromDouble(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // "%.15g" digits, independent of the C locale's decimal point
    std::array<char, 32> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::general, 15);
    if (written.ec != std::errc())
        return std::nullopt;
    const auto units = decimaltext::roundScaled(
        std::string_view(buffer.data(), std::size_t(written.ptr - buffer.data())), 4);
    if (!units)
        return std::nullopt;
    return Money(*units);
}

Money Money::fromDouble(double value)
{
    if (std::isnan(value))
        return Money();
    if (const auto money = tryFromDouble(value))
        return *money;
    return value > 0 ? max() : min();
}

std::optional<Money> Money::fromPlainText(QStringView text)
{
    const QByteArray latin = text.trimmed().toLatin1();
    const auto units = decimaltext::roundScaled(std::string_view(latin.data(), latin.size()), 4);
    if (!units)
        return std::nullopt;
    return Money(*units);
}

double Money::toDouble() const
{
    return double(m_units) / 10000.0;
}

QString Money::toPlainText() const
{
    const quint64 magnitude = m_units < 0 ? 0 - quint64(m_units) : quint64(m_units);
    QString text = m_units < 0 ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / 10000);
    text += QLatin1Char('.');
    text += QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
    return text;
}

Money Money::times(double rate) const
{
    return fromDouble(toDouble() * rate);
}

Money Money::dividedBy(double divisor) const
{
    if (divisor == 0.0)
        return Money();
    return fromDouble(toDouble() / divisor);
}
