#include "core/textrecord.h"

#include "core/codepage.h"
#include "core/linefile.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Numbers are written the classic way, without the zero before the point:
// "0.5" -> ".5", "-0.25" -> "-.25".
QByteArray dropLeadingZero(QByteArray text)
{
    if (text.startsWith("0."))
        text.remove(0, 1);
    else if (text.startsWith("-0."))
        text.remove(1, 1);
    return text;
}

template <typename Float> QByteArray shortestFixed(Float value)
{
    // A non-finite value has no text a reader would take back as a number; zero
    // keeps the record readable.
    if (!std::isfinite(value) || value == 0)
        return QByteArrayLiteral("0");
    // Room for the longest fixed form of a double (denormals run to ~770 digits).
    char buffer[800];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc())
        return QByteArrayLiteral("0");
    return dropLeadingZero(QByteArray(buffer, result.ptr - buffer));
}

QString trimmedBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text.at(begin) == u' ' || text.at(begin) == u'\t'))
        ++begin;
    while (end > begin && (text.at(end - 1) == u' ' || text.at(end - 1) == u'\t'))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

// --- writer -------------------------------------------------------------------

void TextRecordWriter::separate()
{
    if (m_inRecord)
        m_bytes.append(',');
    m_inRecord = true;
}

void TextRecordWriter::appendBare(const QByteArray &bare)
{
    separate();
    m_bytes.append(bare);
}

TextRecordWriter &TextRecordWriter::text(const QString &value)
{
    QString safe;
    safe.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'"') {
            safe.append(u'\'');
            m_altered = true;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < value.size() && value.at(i + 1) == u'\n')
                ++i;
            safe.append(u' ');
            m_altered = true;
        } else {
            safe.append(c);
        }
    }
    separate();
    m_bytes.append('"');
    m_bytes.append(codepage::encode(safe));
    m_bytes.append('"');
    return *this;
}

TextRecordWriter &TextRecordWriter::number(qint64 value)
{
    appendBare(QByteArray::number(value));
    return *this;
}

QByteArray TextRecordWriter::formatDecimal(double value)
{
    return shortestFixed(value);
}

QByteArray TextRecordWriter::formatSingle(float value)
{
    return shortestFixed(value);
}

TextRecordWriter &TextRecordWriter::decimal(double value)
{
    appendBare(formatDecimal(value));
    return *this;
}

TextRecordWriter &TextRecordWriter::single(float value)
{
    appendBare(formatSingle(value));
    return *this;
}

TextRecordWriter &TextRecordWriter::boolean(bool value)
{
    appendBare(value ? QByteArrayLiteral("#TRUE#") : QByteArrayLiteral("#FALSE#"));
    return *this;
}

TextRecordWriter &TextRecordWriter::flag(bool value)
{
    return number(value ? -1 : 0);
}

TextRecordWriter &TextRecordWriter::endRecord()
{
    m_bytes.append(kLineEnd);
    m_inRecord = false;
    return *this;
}

TextRecordWriter &TextRecordWriter::line(const QString &value)
{
    if (m_inRecord)
        endRecord();
    m_bytes.append(linefile::encodeValue(value));
    return *this;
}

QByteArray TextRecordWriter::bytes() const
{
    return m_inRecord ? m_bytes + kLineEnd : m_bytes;
}

// --- reader -------------------------------------------------------------------

TextRecordReader::TextRecordReader(QByteArray bytes) : m_bytes(std::move(bytes)) {}

bool TextRecordReader::onlyBlanksRemain() const
{
    for (qsizetype i = m_pos; i < m_bytes.size(); ++i) {
        const char c = m_bytes.at(i);
        if (!isBlank(c) && c != '\r' && c != '\n')
            return false;
    }
    return true;
}

bool TextRecordReader::atEnd() const
{
    return !m_pending && onlyBlanksRemain();
}

// The index of the LF ending the line that holds `from`, or the size.
qsizetype TextRecordReader::lineEndFrom(qsizetype from) const
{
    const qsizetype lf = m_bytes.indexOf('\n', from);
    return lf < 0 ? m_bytes.size() : lf;
}

// Where the text of the line ends: a CR before the LF (or as the very last byte)
// belongs to the line end.
qsizetype TextRecordReader::contentEndOf(qsizetype lineEnd) const
{
    return (lineEnd > m_pos && m_bytes.at(lineEnd - 1) == '\r') ? lineEnd - 1 : lineEnd;
}

// The first `c` in [from, to), or `to`; searches never run past the line.
qsizetype TextRecordReader::find(char c, qsizetype from, qsizetype to) const
{
    if (from >= to)
        return to;
    const void *hit = std::memchr(m_bytes.constData() + from, c, std::size_t(to - from));
    return hit ? static_cast<const char *>(hit) - m_bytes.constData() : to;
}

void TextRecordReader::consumeLineEnd()
{
    const qsizetype size = m_bytes.size();
    if (m_pos < size && m_bytes.at(m_pos) == '\r' &&
        (m_pos + 1 == size || m_bytes.at(m_pos + 1) == '\n'))
        ++m_pos;
    if (m_pos < size && m_bytes.at(m_pos) == '\n')
        ++m_pos;
}

std::optional<QString> TextRecordReader::field()
{
    m_lastQuoted = false;
    if (atEnd())
        return std::nullopt;
    const bool pending = m_pending;
    m_pending = false;
    const qsizetype size = m_bytes.size();
    while (m_pos < size && isBlank(m_bytes.at(m_pos)))
        ++m_pos;
    if (m_pos >= size)
        return pending ? std::optional<QString>(QString()) : std::nullopt;

    const qsizetype contentEnd = contentEndOf(lineEndFrom(m_pos));
    QString value;
    qsizetype after = 0;
    if (m_bytes.at(m_pos) == '"') {
        m_lastQuoted = true;
        const qsizetype start = m_pos + 1;
        const qsizetype close = find('"', start, contentEnd);
        value = codepage::decode(m_bytes.constData() + start, close - start);
        // Whatever follows the closing quote up to the next comma is not data.
        after = find(',', close, contentEnd);
    } else {
        after = find(',', m_pos, contentEnd);
        value = trimmedBlanks(codepage::decode(m_bytes.constData() + m_pos, after - m_pos));
    }

    m_pos = after;
    if (m_pos < contentEnd) { // at the comma
        ++m_pos;
        m_pending = true;
    } else {
        consumeLineEnd();
    }
    return value;
}

std::optional<QString> TextRecordReader::line()
{
    m_lastQuoted = false;
    const bool pending = m_pending;
    m_pending = false;
    if (m_pos >= m_bytes.size())
        return pending ? std::optional<QString>(QString()) : std::nullopt;
    const qsizetype contentEnd = contentEndOf(lineEndFrom(m_pos));
    const QString value = codepage::decode(m_bytes.constData() + m_pos, contentEnd - m_pos);
    m_pos = contentEnd;
    consumeLineEnd();
    return value;
}

std::optional<double> TextRecordReader::parseDecimal(const QString &text)
{
    const QString t = trimmedBlanks(text);
    // [+-] digits [. digits] [E [+-] digits], at least one mantissa digit.
    qsizetype i = 0;
    const qsizetype n = t.size();
    bool negative = false;
    if (i < n && (t.at(i) == u'+' || t.at(i) == u'-')) {
        negative = t.at(i) == u'-';
        ++i;
    }
    const qsizetype mantissa = i;
    int digits = 0;
    while (i < n && isDigit(t.at(i).unicode())) {
        ++i;
        ++digits;
    }
    if (i < n && t.at(i) == u'.') {
        ++i;
        while (i < n && isDigit(t.at(i).unicode())) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (t.at(i) == u'e' || t.at(i) == u'E')) {
        ++i;
        if (i < n && (t.at(i) == u'+' || t.at(i) == u'-'))
            ++i;
        int exponentDigits = 0;
        while (i < n && isDigit(t.at(i).unicode())) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;

    // Only ASCII is left, so Latin-1 is exact; from_chars ignores the locale.
    const QByteArray ascii = t.mid(mantissa).toLatin1();
    double value = 0;
    const auto result = std::from_chars(ascii.constData(), ascii.constData() + ascii.size(), value);
    if (result.ec != std::errc() || result.ptr != ascii.constData() + ascii.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<double> TextRecordReader::decimal()
{
    const auto text = field();
    if (!text)
        return std::nullopt;
    return parseDecimal(*text);
}

std::optional<qint64> TextRecordReader::number()
{
    const auto text = field();
    if (!text)
        return std::nullopt;
    const QString t = trimmedBlanks(*text);
    const auto value = parseDecimal(t);
    if (!value)
        return std::nullopt;
    // A whole number is taken exactly, not through a double.
    bool ok = false;
    const qint64 whole = t.toLongLong(&ok, 10);
    if (ok)
        return whole;
    return roundToEven(*value);
}

std::optional<qint64> TextRecordReader::roundToEven(double value)
{
    double rounded = std::floor(value);
    const double fraction = value - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0))
        rounded += 1;
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double limit = 9223372036854775808.0;
    if (!(rounded < limit && rounded >= -limit))
        return std::nullopt;
    return qint64(rounded);
}

std::optional<bool> TextRecordReader::boolean()
{
    const auto text = field();
    if (!text)
        return std::nullopt;
    const QString t = trimmedBlanks(*text);
    if (t.compare(u"#TRUE#", Qt::CaseInsensitive) == 0 ||
        t.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(u"#FALSE#", Qt::CaseInsensitive) == 0 ||
        t.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;
    if (const auto value = parseDecimal(t))
        return *value != 0;
    return std::nullopt;
}
