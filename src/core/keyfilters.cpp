#include "core/keyfilters.h"

#include "core/money.h"
#include "core/names.h"
#include "core/prompts.h"
#include "core/regional.h"

#include <cmath>
#include <limits>

namespace keyfilters {

namespace {

bool isDigit(int key)
{
    return key >= '0' && key <= '9';
}

int refuse(int key, Prompts &prompts)
{
    prompts.beep();
    prompts.tell(InvalidCharacterMessage(QChar(key)), InvalidKeyTitle);
    return 0;
}

// The largest whole amount a Money holds; a bigger number cannot be shown as one.
constexpr double LargestMoney = double(std::numeric_limits<qint64>::max() / 10000);

} // namespace

int MoneyKeyFilter(int key, const QString &text)
{
    if (key == '0' && text.isEmpty())
        return 0;
    // Counted from 1, the character at length - 2 is the point once two decimals are typed.
    if (text.size() > 2 && text.contains(u'.') && text.at(text.size() - 3) == u'.')
        return 0;
    if (key == '.' && text.contains(u'.'))
        return 0;
    if (!isDigit(key) && key != '.')
        return 0;
    return key;
}

int DigitKeyFilter(int key)
{
    return key == Backspace || isDigit(key) ? key : 0;
}

int NameKeyFilter(int key, const QString &text, Prompts &prompts)
{
    if (key == Backspace)
        return key;
    if (regional::isNumeric(text))
        return key;
    static constexpr char16_t refused[] = {u',', u'&', u'.', u'\\', u'*', u'/', u'?'};
    for (char16_t c : refused) {
        if (key == c)
            return refuse(key, prompts);
    }
    return key;
}

int FileNameKeyFilter(int key, Prompts &prompts)
{
    if (key == Backspace || key == Enter)
        return key;
    return names::isNameCharacter(QChar(key)) ? key : refuse(key, prompts);
}

int QuoteKeyFilter(int key, Prompts &prompts)
{
    return key == '"' ? refuse(key, prompts) : key;
}

QString InvalidCharacterMessage(QChar character)
{
    return QStringLiteral("This character, (") + character +
           QStringLiteral(") is invalid for this field");
}

FieldCheckResult MoneyFieldCheck(const QString &text, Prompts &prompts)
{
    const std::optional<double> value = regional::numeric(text);
    // An amount beyond what Money holds is refused like any text that is not an amount.
    if (value && std::isfinite(*value) && std::abs(*value) <= LargestMoney)
        return {regional::currencyText(Money::fromDouble(*value)), false};
    prompts.beep();
    return {QString(), true};
}

QString JoinNameParts(const QString &a, const QString &b, const QString &c, const QString &d)
{
    QString name;
    const auto add = [&name](const QString &part, QStringView after) {
        const QString trimmed = part.trimmed();
        if (!trimmed.isEmpty()) {
            name += trimmed;
            name += after;
        }
    };
    add(a, u" ");
    add(b, u" ");
    add(c, u". ");
    add(d, u"");
    return name;
}

} // namespace keyfilters
