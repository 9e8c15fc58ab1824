#include "core/fixedrecord.h"

#include "core/codepage.h"
#include "core/diskio.h"

#include <QFileInfo>
#include <QtEndian>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

const QDate kSerialBase(1899, 12, 30);
constexpr qint64 kMsecsPerDay = 86400000;
// The classic date range: 1 January 100 to 31 December 9999.
constexpr double kFirstSerial = -657434.0;
constexpr double kPastLastSerial = 2958466.0;

bool isPadding(QChar c)
{
    return c == u' ' || c == u'\0';
}

} // namespace

QByteArrayView TrimmedField(QByteArrayView field)
{
    const char *begin = field.data();
    const char *end = begin + field.size();
    // Fields are mostly padding: whole words of it go first.
    while (end - begin >= 8) {
        quint64 word;
        std::memcpy(&word, end - 8, 8);
        if (word != 0x2020202020202020ULL && word != 0)
            break;
        end -= 8;
    }
    while (end != begin && (end[-1] == ' ' || end[-1] == '\0'))
        --end;
    while (begin != end && (*begin == ' ' || *begin == '\0'))
        ++begin;
    return QByteArrayView(begin, end - begin);
}

// --- FixedRecord ----------------------------------------------------------------

FixedRecord::FixedRecord(int length) : m_bytes(qMax(length, 0), '\0') {}

FixedRecord::FixedRecord(int length, QByteArray bytes) : m_bytes(std::move(bytes))
{
    const int wanted = qMax(length, 0);
    if (m_bytes.size() > wanted)
        m_bytes.truncate(wanted);
    else if (m_bytes.size() < wanted)
        m_bytes.append(QByteArray(wanted - m_bytes.size(), '\0'));
}

void FixedRecord::get(int offset, void *out, int n) const
{
    auto *dst = static_cast<char *>(out);
    std::memset(dst, 0, std::size_t(n));
    const qint64 begin = qMax<qint64>(offset, 0);
    const qint64 end = qMin<qint64>(qint64(offset) + n, m_bytes.size());
    if (begin < end)
        std::memcpy(dst + (begin - offset), m_bytes.constData() + begin, std::size_t(end - begin));
}

void FixedRecord::put(int offset, const void *in, int n)
{
    const auto *src = static_cast<const char *>(in);
    const qint64 begin = qMax<qint64>(offset, 0);
    const qint64 end = qMin<qint64>(qint64(offset) + n, m_bytes.size());
    if (begin < end)
        std::memcpy(m_bytes.data() + begin, src + (begin - offset), std::size_t(end - begin));
}

QString FixedRecord::rawText(int offset, int width) const
{
    if (width <= 0)
        return QString();
    // Bytes outside the record are missing, not zeros: they read as padding.
    QByteArray field(width, ' ');
    for (int i = 0; i < width; ++i) {
        const qint64 at = qint64(offset) + i;
        if (at >= 0 && at < m_bytes.size())
            field[i] = m_bytes.at(at);
    }
    return codepage::decode(field);
}

QString FixedRecord::text(int offset, int width) const
{
    // Padding bytes decode to padding characters and no other byte does, so a field
    // inside the record is trimmed before it is decoded.
    if (offset >= 0 && width > 0 && qint64(offset) + width <= m_bytes.size()) {
        const QByteArrayView field = TrimmedField(QByteArrayView(m_bytes).sliced(offset, width));
        return codepage::decode(field.data(), field.size());
    }
    const QString raw = rawText(offset, width);
    qsizetype begin = 0;
    qsizetype end = raw.size();
    while (begin < end && isPadding(raw.at(begin)))
        ++begin;
    while (end > begin && isPadding(raw.at(end - 1)))
        --end;
    return raw.mid(begin, end - begin);
}

void FixedRecord::setText(int offset, int width, const QString &value)
{
    if (width <= 0)
        return;
    QByteArray field = codepage::encode(value).left(width);
    if (field.size() < width)
        field.append(QByteArray(width - field.size(), ' '));
    put(offset, field.constData(), width);
}

template <typename T> T FixedRecord::load(int offset) const
{
    uchar raw[sizeof(T)];
    get(offset, raw, int(sizeof(T)));
    return qFromLittleEndian<T>(raw);
}

template <typename T> void FixedRecord::store(int offset, T value)
{
    uchar raw[sizeof(T)];
    qToLittleEndian(value, raw);
    put(offset, raw, int(sizeof(T)));
}

qint16 FixedRecord::int16(int offset) const
{
    return load<qint16>(offset);
}
void FixedRecord::setInt16(int offset, qint16 value)
{
    store(offset, value);
}
qint32 FixedRecord::int32(int offset) const
{
    return load<qint32>(offset);
}
void FixedRecord::setInt32(int offset, qint32 value)
{
    store(offset, value);
}
double FixedRecord::float64(int offset) const
{
    return load<double>(offset);
}
void FixedRecord::setFloat64(int offset, double value)
{
    store(offset, value);
}
float FixedRecord::float32(int offset) const
{
    return load<float>(offset);
}
void FixedRecord::setFloat32(int offset, float value)
{
    store(offset, value);
}

Money FixedRecord::money(int offset) const
{
    return Money::fromUnits(load<qint64>(offset));
}

void FixedRecord::setMoney(int offset, Money value)
{
    store(offset, value.units());
}

QDateTime FixedRecord::dateTime(int offset) const
{
    return fromSerialDate(float64(offset));
}

void FixedRecord::setDateTime(int offset, const QDateTime &value)
{
    setFloat64(offset, toSerialDate(value));
}

void FixedRecord::setDate(int offset, const QDate &value)
{
    setFloat64(offset, value.isValid() ? double(kSerialBase.daysTo(value)) : 0.0);
}

double FixedRecord::toSerialDate(const QDateTime &value)
{
    if (!value.isValid())
        return 0;
    const double days = double(kSerialBase.daysTo(value.date()));
    const double fraction = double(value.time().msecsSinceStartOfDay()) / double(kMsecsPerDay);
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime FixedRecord::fromSerialDate(double days)
{
    if (!std::isfinite(days) || days < kFirstSerial || days >= kPastLastSerial)
        return QDateTime();
    double whole = std::trunc(days);
    qint64 msecs = std::llround(std::fabs(days - whole) * double(kMsecsPerDay));
    if (msecs >= kMsecsPerDay) {
        // Rounded up to the next midnight, which lies away from the base day.
        msecs = 0;
        whole += days < 0 ? -1 : 1;
    }
    return QDateTime(kSerialBase.addDays(qint64(whole)),
                     QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

// --- FixedRecordFile --------------------------------------------------------------

FixedRecordFile::FixedRecordFile(const QString &absolutePath, int recordLength)
    : m_file(absolutePath), m_length(recordLength)
{
}

bool FixedRecordFile::open()
{
    if (m_file.isOpen())
        return true;
    // A pipe would block the first read for good, and a device is no record file.
    const QFileInfo info(m_file.fileName());
    if (info.exists() && !info.isFile())
        return false;
    if (m_file.open(QIODevice::ReadWrite))
        return true;
    return m_file.exists() && m_file.open(QIODevice::ReadOnly);
}

bool FixedRecordFile::ensureOpen()
{
    return m_file.isOpen() || open();
}

qint64 FixedRecordFile::count() const
{
    if (m_length <= 0)
        return 0;
    const qint64 size = m_file.size();
    if (size <= 0)
        return 0;
    qint64 whole = size / m_length;
    const qint64 twiceRest = 2 * (size % m_length);
    if (twiceRest > m_length || (twiceRest == m_length && whole % 2 != 0))
        ++whole;
    return whole;
}

FixedRecord FixedRecordFile::read(qint64 number)
{
    FixedRecord record(m_length);
    if (number < 1 || m_length <= 0 || !ensureOpen())
        return record;
    if (number - 1 > std::numeric_limits<qint64>::max() / m_length)
        return record;
    const qint64 position = (number - 1) * m_length;
    if (position >= m_file.size() || !m_file.seek(position))
        return record;
    return FixedRecord(m_length, m_file.read(m_length));
}

bool FixedRecordFile::write(qint64 number, const FixedRecord &record)
{
    if (number < 1 || m_length <= 0 || !ensureOpen() || !m_file.isWritable())
        return false;
    if (number - 1 > std::numeric_limits<qint64>::max() / m_length)
        return false;
    const qint64 position = (number - 1) * m_length;
    // Past the end, the gap is filled with zeros explicitly: what a seek past the
    // end leaves there is not defined on every file system.
    if (position > m_file.size() && !diskio::resize(m_file, position))
        return false;
    if (!m_file.seek(position))
        return false;
    const FixedRecord sized(m_length, record.bytes());
    return diskio::write(m_file, sized.bytes()) && diskio::flush(m_file);
}
