#pragma once

#include "core/money.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QString>

// A stored field's bytes without the blanks and zeros that pad it at either end.
QByteArrayView TrimmedField(QByteArrayView field);

// One record of a fixed-length record file. A record built from fewer bytes than
// its length is padded with zeros (a record cut short by the end of the file), and
// a field reaching beyond the length reads as blanks and zeros: no read or write
// ever touches memory outside the record.
class FixedRecord final
{
public:
    // All zeros.
    explicit FixedRecord(int length);
    // The bytes padded with zeros or cut to the length.
    FixedRecord(int length, QByteArray bytes);

    int length() const { return int(m_bytes.size()); }
    const QByteArray &bytes() const { return m_bytes; }

    // Text of width w: Windows-1252, one byte a character, padded with blanks, cut
    // at w. Read back trimmed at both ends of blanks and of the zeros that stand
    // for missing bytes.
    QString text(int offset, int width) const;
    // The w characters as stored; bytes beyond the record read as blanks.
    QString rawText(int offset, int width) const;
    void setText(int offset, int width, const QString &value);

    // Signed, little-endian.
    qint16 int16(int offset) const;
    void setInt16(int offset, qint16 value);
    qint32 int32(int offset) const;
    void setInt32(int offset, qint32 value);
    // IEEE, little-endian.
    double float64(int offset) const;
    void setFloat64(int offset, double value);
    float float32(int offset) const;
    void setFloat32(int offset, float value);
    // A double counting days since 30 December 1899, the time of day as fraction,
    // read and written as local wall-clock time. An invalid value writes 0; a stored
    // value outside the years 100 to 9999 reads as an invalid QDateTime.
    QDateTime dateTime(int offset) const;
    QDate date(int offset) const { return dateTime(offset).date(); }
    void setDateTime(int offset, const QDateTime &value);
    void setDate(int offset, const QDate &value);
    // Amount × 10,000 as a signed 64-bit integer.
    Money money(int offset) const;
    void setMoney(int offset, Money value);

    // As the classic date type: the whole part counts days (negative before the
    // base day) and the fraction is the time of day whatever the sign, so -1.25 is
    // 29 December 1899 06:00. Times are kept to the millisecond.
    static double toSerialDate(const QDateTime &value);
    static QDateTime fromSerialDate(double days);

private:
    // Copies n bytes at offset into out; bytes beyond the record are zeros.
    void get(int offset, void *out, int n) const;
    // Writes the part of the n bytes that lies within the record.
    void put(int offset, const void *in, int n);
    // Little-endian numbers of any width.
    template <typename T>
    T load(int offset) const;
    template <typename T>
    void store(int offset, T value);
    QByteArray m_bytes;
};

// A fixed-length record file opened for reading and writing (created when absent).
// Record n counts from 1 and starts at byte (n - 1) × length.
class FixedRecordFile final
{
public:
    FixedRecordFile(const QString &absolutePath, int recordLength);
    // Opens for reading and writing, creating the file; a file that exists but
    // cannot be written is opened for reading only (writes then fail).
    bool open();
    bool isOpen() const { return m_file.isOpen(); }
    bool isWritable() const { return m_file.isWritable(); }
    int recordLength() const { return m_length; }
    // File length / record length, rounded to the nearest whole number, ties to
    // even (as RecordCount): 492 bytes of 328-byte records count 2, 164 bytes 0.
    qint64 count() const;
    // A record cut short by the end of the file is padded with zeros; a record
    // beyond the end, or a number below 1, reads as all zeros.
    FixedRecord read(qint64 number);
    // Writes the record (padded or cut to the record length) at its place,
    // extending the file with zeros when it lies beyond the end. False for a number
    // below 1 or when the file cannot be written.
    bool write(qint64 number, const FixedRecord &record);
    // Writes at count + 1.
    bool append(const FixedRecord &record) { return write(count() + 1, record); }
    QString errorString() const { return m_file.errorString(); }

private:
    bool ensureOpen();
    QFile m_file;
    int m_length;
};
