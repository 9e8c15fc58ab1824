#pragma once

#include "core/money.h"

#include <QDate>
#include <QString>

#include <optional>

// The locale's currency and short-date texts and the classic conversions the
// program relies on. The locale is the system's (QLocale()); tests pin en_US.
namespace regional {

// "$1,234.50", negative "($1,234.50)" under en_US, otherwise the locale's own
// negative form; two decimals, ties away from zero, made from the exact value. An
// amount that rounds to zero cents shows as zero, without the negative form.
QString currencyText(Money amount);
// Zero as a money box shows it when empty or cleared.
QString zeroCurrency();
// Reads currency text back (and plain numbers, &H/&O as numeric takes them); exact,
// ties to even beyond four decimals. nullopt when it is not an amount or is beyond
// the range of Money.
std::optional<Money> parseMoney(const QString &text);

// The locale's short date with a four-digit year ("12/8/2026" under en_US).
QString shortDate(const QDate &date);
// Takes the short date with a four- or two-digit year; a two-digit year falls in
// 1950-2049. Day and month may have one or two digits.
std::optional<QDate> parseShortDate(const QString &text);

// "numeric": currency text, grouping, parentheses, signs, an exponent and
// surrounding blanks are accepted; the value when the whole text is a number.
// Grouping separators must stand between whole groups ("1,234" but not "1,2"), so a
// decimal point typed as the other locale's would not be read as grouping. Also
// &H hex and &O octal. nullopt for values beyond the range of double.
std::optional<double> numeric(const QString &text);
inline bool isNumeric(const QString &text)
{
    return numeric(text).has_value();
}

// The value-prefix read: blanks (space, tab, CR, LF) are skipped anywhere and reading
// stops at the first character that cannot continue a number; "" and "abc" give 0.
// Only "." is the decimal point. &H hex and &O octal read as 16- or 32-bit numbers.
// A number beyond the range of double reads as 0.
double valuePrefix(const QString &text);

// Whole-number conversion of a numeric text, exact, ties to even; nullopt when not
// numeric or beyond 64 bits.
std::optional<qint64> wholeNumber(const QString &text);
// Ties to even, as the whole-number conversion does; NaN gives 0, values beyond 64
// bits give the nearest limit.
qint64 roundToEven(double value);

} // namespace regional
