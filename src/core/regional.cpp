#include "core/regional.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include <QLocale>

#include "core/bytereaders.h"

namespace regional {

namespace {

// Direction marks some locales put around signs and symbols; they carry no value.
bool isFormatMark(QChar c)
{
    return c == QChar(0x200E) || c == QChar(0x200F) || c == QChar(0x061C);
}

QString withoutFormatMarks(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (!isFormatMark(c))
            result += c;
    }
    return result;
}

bool isLineOrTab(QChar c)
{
    return c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

// The digit value of an ASCII digit or of a digit of the locale's own script.
int digitValue(QChar c, QChar zero)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (zero != u'0' && c.unicode() >= zero.unicode() && c.unicode() <= zero.unicode() + 9)
        return c.unicode() - zero.unicode();
    return -1;
}

QChar zeroDigitOf(const QLocale &locale)
{
    const QString zero = locale.zeroDigit();
    return zero.size() == 1 ? zero.front() : QChar(u'0');
}

// The plain decimal text ("-1234.5e3") when the double is finite; a value too small
// for a double is zero, too large is nullopt.
std::optional<double> plainToDouble(const std::string &plain)
{
    double value = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec == std::errc() && std::isfinite(value))
        return value;
    if (result.ec == std::errc::result_out_of_range && decimaltext::roundScaled(plain, 0))
        return plain.front() == '-' ? -0.0 : 0.0;
    return std::nullopt;
}

// &H and &O numbers are 16-bit when they fit 16 bits, else 32-bit, as the classic
// conversions read them (&HFFFF is -1).
std::optional<qint64> radixNumber(quint64 magnitude)
{
    if (magnitude <= 0xFFFFu)
        return magnitude >= 0x8000u ? qint64(magnitude) - 0x10000 : qint64(magnitude);
    if (magnitude <= 0xFFFFFFFFu)
        return magnitude >= 0x80000000u ? qint64(magnitude) - 0x100000000 : qint64(magnitude);
    return std::nullopt;
}

int radixDigit(QChar c, int radix)
{
    int value = -1;
    if (c >= u'0' && c <= u'9')
        value = c.unicode() - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c.unicode() - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c.unicode() - u'A' + 10;
    return value < radix ? value : -1;
}

// The radix letter after "&", or 0.
int radixOf(QChar letter)
{
    if (letter == u'H' || letter == u'h')
        return 16;
    if (letter == u'O' || letter == u'o')
        return 8;
    return 0;
}

// Digits past 32 bits only make the number too large; stop counting there.
void accumulateRadix(quint64 &magnitude, int digit, int radix)
{
    if (magnitude <= 0xFFFFFFFFu)
        magnitude = magnitude * quint64(radix) + quint64(digit);
}

// "&H1F" or "&O17" as the whole text.
std::optional<std::string> radixText(QStringView text)
{
    if (text.size() < 3 || text[0] != u'&')
        return std::nullopt;
    const int radix = radixOf(text[1]);
    if (radix == 0)
        return std::nullopt;
    quint64 magnitude = 0;
    for (const QChar c : text.mid(2)) {
        const int digit = radixDigit(c, radix);
        if (digit < 0)
            return std::nullopt;
        accumulateRadix(magnitude, digit, radix);
    }
    const auto value = radixNumber(magnitude);
    if (!value)
        return std::nullopt;
    return std::to_string(*value);
}

struct NumberSymbols
{
    QString currency;
    QString decimalPoint;
    QString group;
    QString negative;
    QChar zero = u'0';
    bool spaceGroup = false;
    bool apostropheGroup = false;
};

NumberSymbols numberSymbols(const QLocale &locale)
{
    NumberSymbols symbols;
    symbols.currency = withoutFormatMarks(locale.currencySymbol()).trimmed();
    symbols.decimalPoint = locale.decimalPoint();
    symbols.group = locale.groupSeparator();
    symbols.negative = withoutFormatMarks(locale.negativeSign());
    symbols.zero = zeroDigitOf(locale);
    // Text typed or read back from an 8-bit file carries a plain or no-break space
    // where the locale groups with U+202F, and a plain apostrophe for U+2019.
    symbols.spaceGroup = symbols.group.size() == 1 && symbols.group.front().isSpace();
    symbols.apostropheGroup = symbols.group == QStringView(u"\u2019");
    return symbols;
}

// Reads a whole text as a number in the locale's notation and gives it as plain
// decimal text ("-1234.50e0").
class NumberReader final
{
public:
    NumberReader(QStringView text, const NumberSymbols &symbols)
        : m_text(withoutFormatMarks(text)), m_symbols(symbols)
    {
    }

    std::optional<std::string> read()
    {
        skipBlanks();
        const bool parenthesis = take(u"(");
        readAffixes(parenthesis);
        if (!readDigits())
            return std::nullopt;
        readAffixes(parenthesis);
        if (parenthesis) {
            skipBlanks();
            if (!take(u")"))
                return std::nullopt;
        }
        skipBlanks();
        if (m_pos != m_text.size())
            return std::nullopt;

        std::string plain;
        if (parenthesis || m_sign < 0)
            plain += '-';
        plain += m_integer.empty() ? std::string("0") : m_integer;
        plain += '.';
        plain += m_fraction.empty() ? std::string("0") : m_fraction;
        plain += 'e';
        plain += m_exponent.empty() ? std::string("0") : m_exponent;
        return plain;
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar current() const { return atEnd() ? QChar() : m_text[m_pos]; }

    void skipBlanks()
    {
        while (!atEnd() && current().isSpace())
            ++m_pos;
    }

    bool take(QStringView token)
    {
        if (token.isEmpty() || !QStringView(m_text).mid(m_pos).startsWith(token))
            return false;
        m_pos += token.size();
        return true;
    }

    int digitAt(qsizetype at) const
    {
        return at < m_text.size() ? digitValue(m_text[at], m_symbols.zero) : -1;
    }

    // The length of a grouping separator at `at`, or 0.
    qsizetype groupAt(qsizetype at) const
    {
        if (at >= m_text.size())
            return 0;
        const QChar c = m_text[at];
        if (m_symbols.spaceGroup && c.isSpace() && !isLineOrTab(c))
            return 1;
        if (m_symbols.apostropheGroup && c == u'\'')
            return 1;
        if (!m_symbols.group.isEmpty() && QStringView(m_text).mid(at).startsWith(m_symbols.group))
            return m_symbols.group.size();
        return 0;
    }

    // A separator counts as grouping only between whole groups: three digits before
    // the decimal point or the end, two or three between separators.
    bool groupFollows() const
    {
        const qsizetype separator = groupAt(m_pos);
        if (separator == 0)
            return false;
        qsizetype at = m_pos + separator;
        int digits = 0;
        while (digitAt(at) >= 0) {
            ++digits;
            ++at;
        }
        const qsizetype next = groupAt(at);
        if (next > 0 && digitAt(at + next) >= 0)
            return digits == 2 || digits == 3;
        return digits == 3;
    }

    bool takeSign()
    {
        if (m_sign != 0)
            return false;
        if (take(u"-") || take(u"\u2212") || take(m_symbols.negative)) {
            m_sign = -1;
            return true;
        }
        if (take(u"+")) {
            m_sign = 1;
            return true;
        }
        return false;
    }

    // Currency symbol and sign, each at most once, before or after the digits; a
    // parenthesis already says negative.
    void readAffixes(bool parenthesis)
    {
        for (;;) {
            skipBlanks();
            if (!m_symbol && take(m_symbols.currency)) {
                m_symbol = true;
                continue;
            }
            if (!parenthesis && takeSign())
                continue;
            return;
        }
    }

    void takeDigitsInto(std::string &digits)
    {
        for (int digit = digitAt(m_pos); digit >= 0; digit = digitAt(m_pos)) {
            digits += char('0' + digit);
            ++m_pos;
        }
    }

    bool readDigits()
    {
        takeDigitsInto(m_integer);
        while (!m_integer.empty() && groupFollows()) {
            m_pos += groupAt(m_pos);
            takeDigitsInto(m_integer);
        }
        if (take(m_symbols.decimalPoint))
            takeDigitsInto(m_fraction);
        if (m_integer.empty() && m_fraction.empty())
            return false;
        readExponent();
        return true;
    }

    void readExponent()
    {
        const QChar letter = current();
        if (letter != u'e' && letter != u'E' && letter != u'd' && letter != u'D')
            return;
        qsizetype at = m_pos + 1;
        std::string exponent;
        if (at < m_text.size() && (m_text[at] == u'+' || m_text[at] == u'-')) {
            if (m_text[at] == u'-')
                exponent += '-';
            ++at;
        }
        if (digitAt(at) < 0)
            return;
        m_pos = at;
        takeDigitsInto(exponent);
        m_exponent = exponent;
    }

    QString m_text;
    const NumberSymbols &m_symbols;
    qsizetype m_pos = 0;
    int m_sign = 0;
    bool m_symbol = false;
    std::string m_integer;
    std::string m_fraction;
    std::string m_exponent;
};

// Looking the symbols up costs more than reading a short number; they are kept
// while the default locale stays the same.
const NumberSymbols &currentNumberSymbols()
{
    thread_local QLocale cachedLocale;
    thread_local NumberSymbols cached = numberSymbols(cachedLocale);
    const QLocale locale;
    if (!(locale == cachedLocale)) {
        cachedLocale = locale;
        cached = numberSymbols(locale);
    }
    return cached;
}

// A number in the locale's notation (or &H/&O) as plain decimal text.
std::optional<std::string> plainNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (auto radix = radixText(trimmed))
        return radix;
    return NumberReader(trimmed, currentNumberSymbols()).read();
}

// What the locale puts before and after the digits of an amount.
struct Affixes
{
    QString prefix;
    QString suffix;
};

Affixes currencyAffixes(const QLocale &locale, bool negative)
{
    constexpr qlonglong probe = 7;
    const QString text = locale.toCurrencyString(negative ? -probe : probe);
    const QString digits = locale.toString(probe);
    const qsizetype at = text.indexOf(digits);
    if (at < 0) {
        // A system locale whose currency and number settings disagree.
        return {(negative ? locale.negativeSign() : QString()) + locale.currencySymbol(), {}};
    }
    return {text.left(at), text.mid(at + digits.size())};
}

bool isUnitedStates(const QLocale &locale)
{
    return locale.language() == QLocale::English && locale.territory() == QLocale::UnitedStates;
}

struct CurrencyForm
{
    Affixes positive;
    Affixes negative;
};

// Under en_US a negative amount is shown in parentheses, whatever Qt's data says.
CurrencyForm currencyForm(const QLocale &locale)
{
    CurrencyForm form{currencyAffixes(locale, false), currencyAffixes(locale, true)};
    if (isUnitedStates(locale)) {
        form.negative = form.positive;
        form.negative.prefix.prepend(u'(');
        form.negative.suffix.append(u')');
    }
    return form;
}

const CurrencyForm &currentCurrencyForm(const QLocale &locale)
{
    thread_local QLocale cachedLocale;
    thread_local CurrencyForm cached = currencyForm(cachedLocale);
    if (!(locale == cachedLocale)) {
        cachedLocale = locale;
        cached = currencyForm(locale);
    }
    return cached;
}

// Format letters turned into the four-digit year.
QString withFourDigitYear(const QString &format)
{
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'') {
            quoted = !quoted;
            result += c;
        } else if (!quoted && c == u'y') {
            while (i + 1 < format.size() && format[i + 1] == u'y')
                ++i;
            result += QStringLiteral("yyyy");
        } else {
            result += c;
        }
    }
    return result;
}

// The parts of a numeric date format; nullopt when it holds names or other fields.
std::optional<std::vector<DatePart>> numericDateParts(const QString &format)
{
    std::vector<DatePart> parts;
    auto addLiteral = [&parts](QChar c) {
        if (isFormatMark(c))
            return;
        if (parts.empty() || parts.back().kind != DatePart::Literal)
            parts.push_back({DatePart::Literal, {}});
        parts.back().literal += c;
    };
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'') {
            if (i + 1 < format.size() && format[i + 1] == u'\'') {
                addLiteral(c);
                ++i;
            } else {
                quoted = !quoted;
            }
            continue;
        }
        if (quoted || !c.isLetter()) {
            addLiteral(c);
            continue;
        }
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        i += run - 1;
        if (c == u'd' && run <= 2)
            parts.push_back({DatePart::Day, {}});
        else if (c == u'M' && run <= 2)
            parts.push_back({DatePart::Month, {}});
        else if (c == u'y')
            parts.push_back({DatePart::Year, {}});
        else
            return std::nullopt;
    }
    return parts;
}

// Two-digit years fall in 1950-2049, the window current systems use by default.
int widenYear(int twoDigits)
{
    return twoDigits < 50 ? 2000 + twoDigits : 1900 + twoDigits;
}

// Text is QStringView, or QLatin1StringView for 7-bit bytes.
template<typename Text>
std::optional<QDate> readNumericDate(Text text, const std::vector<DatePart> &parts, QChar zero)
{
    qsizetype pos = 0;
    int day = 0;
    int month = 0;
    int year = 0;
    for (const DatePart &part : parts) {
        if (part.kind == DatePart::Literal) {
            if (!text.mid(pos).startsWith(part.literal))
                return std::nullopt;
            pos += part.literal.size();
            continue;
        }
        const int most = part.kind == DatePart::Year ? 4 : 2;
        int value = 0;
        int count = 0;
        while (count < most && pos < text.size() && digitValue(text[pos], zero) >= 0) {
            value = value * 10 + digitValue(text[pos], zero);
            ++count;
            ++pos;
        }
        if (part.kind == DatePart::Year) {
            if (count == 2)
                year = widenYear(value);
            else if (count == 4)
                year = value;
            else
                return std::nullopt;
        } else if (count == 0) {
            return std::nullopt;
        } else if (part.kind == DatePart::Day) {
            day = value;
        } else {
            month = value;
        }
    }
    if (pos != text.size())
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace

QString zeroCurrency()
{
    return currencyText(Money());
}

QString currencyText(Money amount)
{
    const QLocale locale;
    const qint64 units = amount.units();
    const quint64 magnitude = units < 0 ? 0 - quint64(units) : quint64(units);
    const quint64 cents = magnitude / 100 + (magnitude % 100 >= 50 ? 1 : 0);
    const bool negative = units < 0 && cents != 0;

    const int fraction = int(cents % 100);
    QString number = locale.toString(cents / 100);
    number += locale.decimalPoint();
    if (fraction < 10)
        number += locale.zeroDigit();
    number += locale.toString(fraction);

    const CurrencyForm &form = currentCurrencyForm(locale);
    const Affixes &affixes = negative ? form.negative : form.positive;
    return affixes.prefix + number + affixes.suffix;
}

std::optional<Money> parseMoney(const QString &text)
{
    const auto plain = plainNumber(text);
    if (!plain)
        return std::nullopt;
    const auto units = decimaltext::roundScaled(*plain, 4);
    if (!units)
        return std::nullopt;
    return Money::fromUnits(*units);
}

namespace {

bool isAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

CurrencyReader::CurrencyReader()
{
    // Taken apart from a sample of the locale's own text: prefix, "1", group, "234",
    // point, "56", suffix.
    const auto split = [this](const QString &text, QByteArray &prefix, QByteArray &suffix) {
        if (!isAscii(text))
            return false;
        const QByteArray bytes = text.toLatin1();
        const qsizetype one = bytes.indexOf("1");
        if (one < 0)
            return false;
        qsizetype at = one + 1;
        char group = 0;
        if (at < bytes.size() && !isDigit(bytes[at]))
            group = bytes[at++];
        if (bytes.mid(at, 3) != "234" || at + 6 > bytes.size())
            return false;
        const char point = bytes[at + 3];
        if (isDigit(point) || point == group || bytes.mid(at + 4, 2) != "56")
            return false;
        prefix = bytes.left(one);
        suffix = bytes.mid(at + 6);
        if (m_point && (point != m_point || group != m_group))
            return false;
        m_point = point;
        m_group = group;
        return true;
    };
    const Money sample = Money::fromUnits(12'345'600);
    if (!split(currencyText(sample), m_positivePrefix, m_positiveSuffix) ||
        !split(currencyText(-sample), m_negativePrefix, m_negativeSuffix) ||
        (m_positivePrefix == m_negativePrefix && m_positiveSuffix == m_negativeSuffix))
        m_point = 0;
}

std::optional<qint64> CurrencyReader::readNumber(QByteArrayView digits) const
{
    // Thirteen whole digits at most keep every value far inside Money; no leading
    // zeros, no ungrouped thousands, as currencyText never writes them.
    const qsizetype point = digits.size() - 3;
    if (point < 1 || digits[point] != m_point || !isDigit(digits[point + 1]) ||
        !isDigit(digits[point + 2]))
        return std::nullopt;
    const QByteArrayView whole = digits.first(point);
    if (whole.size() > 1 && whole.front() == '0')
        return std::nullopt;
    qint64 value = 0;
    int count = 0;
    int sinceGroup = 0;
    bool grouped = false;
    for (const char c : whole) {
        if (isDigit(c)) {
            value = value * 10 + (c - '0');
            ++count;
            ++sinceGroup;
            if (count > 13 || (!grouped && sinceGroup > 3 && m_group))
                return std::nullopt;
        } else if (m_group && c == m_group && sinceGroup >= 1 && (!grouped ? sinceGroup <= 3 : sinceGroup == 3)) {
            grouped = true;
            sinceGroup = 0;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0 || (grouped && sinceGroup != 3))
        return std::nullopt;
    return (value * 100 + (digits[point + 1] - '0') * 10 + (digits[point + 2] - '0')) * 100;
}

std::optional<Money> CurrencyReader::readCommon(QByteArrayView text) const
{
    if (!m_point)
        return std::nullopt;
    const auto inside = [&text](const QByteArray &prefix, const QByteArray &suffix) {
        return text.size() > prefix.size() + suffix.size() &&
               std::memcmp(text.data(), prefix.data(), prefix.size()) == 0 &&
               std::memcmp(text.data() + text.size() - suffix.size(), suffix.data(), suffix.size()) == 0;
    };
    const auto digitsOf = [&text](const QByteArray &prefix, const QByteArray &suffix) {
        return text.sliced(prefix.size(), text.size() - prefix.size() - suffix.size());
    };
    // Negative first: its prefix may begin with the positive one ("-$" and "$").
    if (inside(m_negativePrefix, m_negativeSuffix)) {
        if (const auto units = readNumber(digitsOf(m_negativePrefix, m_negativeSuffix)))
            return Money::fromUnits(-*units);
    }
    if (inside(m_positivePrefix, m_positiveSuffix)) {
        if (const auto units = readNumber(digitsOf(m_positivePrefix, m_positiveSuffix)))
            return Money::fromUnits(*units);
    }
    return std::nullopt;
}

DateReader::DateReader()
{
    const QLocale locale;
    m_parts = numericDateParts(withFourDigitYear(locale.dateFormat(QLocale::ShortFormat))).value_or(std::vector<DatePart>());
    m_zero = zeroDigitOf(locale);
}

std::optional<QDate> DateReader::readCommon(QByteArrayView text) const
{
    // Blanks, format marks and 8-bit letters are for parseShortDate.
    if (m_parts.empty() || text.isEmpty() || text.front() == ' ' || text.back() == ' ')
        return std::nullopt;
    for (const char c : text) {
        if (uchar(c) >= 0x80 || uchar(c) < 0x20)
            return std::nullopt;
    }
    return readNumericDate(QLatin1StringView(text), m_parts, m_zero);
}

QString shortDate(const QDate &date)
{
    const QLocale locale;
    return locale.toString(date, withFourDigitYear(locale.dateFormat(QLocale::ShortFormat)));
}

std::optional<QDate> parseShortDate(const QString &text)
{
    const QLocale locale;
    const QString format = withFourDigitYear(locale.dateFormat(QLocale::ShortFormat));
    const QString trimmed = text.trimmed();
    if (const auto parts = numericDateParts(format))
        return readNumericDate(QStringView(withoutFormatMarks(trimmed)), *parts, zeroDigitOf(locale));

    // Formats with month or day names: Qt reads those.
    const QDate full = locale.toDate(trimmed, format);
    if (full.isValid())
        return full;
    QString shortYear = format;
    shortYear.replace(QStringLiteral("yyyy"), QStringLiteral("yy"));
    QDate widened = locale.toDate(trimmed, shortYear);
    if (!widened.isValid())
        return std::nullopt;
    if (widened.year() < 1950)
        widened = widened.addYears(100);
    return widened;
}

std::optional<double> numeric(const QString &text)
{
    const auto plain = plainNumber(text);
    if (!plain)
        return std::nullopt;
    return plainToDouble(*plain);
}

double valuePrefix(const QString &text)
{
    qsizetype pos = 0;
    const qsizetype size = text.size();
    auto peek = [&]() -> QChar {
        while (pos < size && (text[pos] == u' ' || text[pos] == u'\t' || text[pos] == u'\n' ||
                              text[pos] == u'\r'))
            ++pos;
        return pos < size ? text[pos] : QChar();
    };

    if (peek() == u'&') {
        ++pos;
        const int radix = radixOf(peek());
        if (radix == 0)
            return 0;
        ++pos;
        quint64 magnitude = 0;
        for (int digit = radixDigit(peek(), radix); digit >= 0; digit = radixDigit(peek(), radix)) {
            accumulateRadix(magnitude, digit, radix);
            ++pos;
        }
        return double(radixNumber(magnitude).value_or(0));
    }

    std::string sign;
    if (peek() == u'-' || peek() == u'+') {
        if (text[pos] == u'-')
            sign = "-";
        ++pos;
    }
    std::string integer;
    std::string fraction;
    bool seenPoint = false;
    for (QChar c = peek(); !c.isNull(); c = peek()) {
        if (c >= u'0' && c <= u'9')
            (seenPoint ? fraction : integer) += char(c.unicode());
        else if (c == u'.' && !seenPoint)
            seenPoint = true;
        else
            break;
        ++pos;
    }
    if (integer.empty() && fraction.empty())
        return 0;
    std::string plain =
        sign + (integer.empty() ? "0" : integer) + '.' + (fraction.empty() ? "0" : fraction);

    const QChar letter = peek();
    if (letter == u'e' || letter == u'E' || letter == u'd' || letter == u'D') {
        ++pos;
        std::string exponent = "e";
        if (peek() == u'-' || peek() == u'+') {
            if (text[pos] == u'-')
                exponent += '-';
            ++pos;
        }
        bool exponentDigit = false;
        for (QChar c = peek(); c >= u'0' && c <= u'9'; c = peek()) {
            exponent += char(c.unicode());
            exponentDigit = true;
            ++pos;
        }
        if (exponentDigit)
            plain += exponent;
    }
    return plainToDouble(plain).value_or(0);
}

std::optional<qint64> wholeNumber(const QString &text)
{
    const auto plain = plainNumber(text);
    if (!plain)
        return std::nullopt;
    return decimaltext::roundScaled(*plain, 0);
}

qint64 roundToEven(double value)
{
    if (std::isnan(value))
        return 0;
    // 2^63: every double below it converts exactly after rounding
    constexpr double limit = 9223372036854775808.0;
    const double rounded = std::nearbyint(value);
    if (rounded >= limit)
        return std::numeric_limits<qint64>::max();
    if (rounded < -limit)
        return std::numeric_limits<qint64>::min();
    return qint64(rounded);
}

} // namespace regional
