#pragma once

#include "core/money.h"

#include <QDate>
#include <QString>

#include <optional>

// The locale's currency and short-date texts and the classic conversions the
// program relies on. The locale is the system's (QLocale()); tests pin en_US.
namespace regional {

// "$1,234.50", negative "($1,234.50)" under en_US; two decimals, ties away from zero,
// made from the exact value.
QString currencyText(Money amount);
// Reads currency text back (and plain numbers); nullopt when it is not an amount.
std::optional<Money> parseMoney(const QString &text);

// The locale's short date with a four-digit year ("12/8/2026" under en_US).
QString shortDate(const QDate &date);
std::optional<QDate> parseShortDate(const QString &text);

// "numeric": currency text, grouping, parentheses, signs and surrounding blanks
// are accepted; the value when the whole text is a number.
std::optional<double> numeric(const QString &text);
inline bool isNumeric(const QString &text) { return numeric(text).has_value(); }

// The value-prefix read: blanks are skipped and reading stops at the first
// character that cannot continue a number; "" and "abc" give 0.
double valuePrefix(const QString &text);

// Whole-number conversion of a numeric text, ties to even; nullopt when not numeric
// or beyond 64 bits.
std::optional<qint64> wholeNumber(const QString &text);
// Ties to even, as the whole-number conversion does.
qint64 roundToEven(double value);

} // namespace regional
