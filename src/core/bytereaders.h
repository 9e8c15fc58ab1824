#pragma once

#include "core/money.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace regional {

// Readers of the regional texts stored by the program, straight from their 8-bit
// bytes, for readers of many records. The locale's form is taken once, when one is
// made; a text they do not read gives nullopt and goes to the full parser.

// Reads the currency text currencyText() writes, straight from its 8-bit bytes, for
// readers of many stored amounts. The locale's form is taken once, when it is made.
// Only that exact form is read here (grouping in threes, two decimals, ASCII
// affixes); any other text gives nullopt and is for parseMoney, which reads the
// common form to the same value.
class CurrencyReader final
{
public:
    CurrencyReader();
    std::optional<Money> readCommon(QByteArrayView text) const;

private:
    std::optional<qint64> readNumber(QByteArrayView digits) const;
    QByteArray m_positivePrefix, m_positiveSuffix, m_negativePrefix, m_negativeSuffix;
    char m_group = 0; // 0 when the locale does not group
    char m_point = 0; // 0 when the locale's form cannot be read here
};

// One piece of a numeric date format.
struct DatePart
{
    enum Kind
    {
        Literal,
        Day,
        Month,
        Year
    };
    Kind kind = Literal;
    QString literal;
};

// Reads 7-bit short dates of a numeric format to the date parseShortDate gives.
class DateReader final
{
public:
    DateReader();
    std::optional<QDate> readCommon(QByteArrayView text) const;

private:
    std::vector<DatePart> m_parts; // empty when the format is not numeric
    QChar m_zero;
};

} // namespace regional
