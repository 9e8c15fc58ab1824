#pragma once

#include "core/money.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace regional {

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

} // namespace regional
